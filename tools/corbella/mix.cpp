#include "tools/corbella/mix.hpp"

namespace corbella {

float sand_fraction(float percent_sand) { return percent_sand / 100.0f; }

float horizontal_mix(float p, float sand_kh, float clay_kh) {
  const float clay_share = 1.0f - p;
  const float clay_part = clay_share * clay_kh;
  const float sand_part = sand_kh * p;
  return clay_part + sand_part;
}

float vertical_mix(float p, float sand_kv, float clay_kv) {
  const float clay_share = 1.0f - p;
  const float clay_resistance = clay_share / clay_kv;
  const float sand_resistance = p / sand_kv;
  const float total_resistance = clay_resistance + sand_resistance;
  return 1.0f / total_resistance;
}

void mix_layer(LayerArrays& layer) {
  for (int row = 1; row <= layer.sand_share.rows(); ++row) {
    for (int col = 1; col <= layer.sand_share.cols(); ++col) {
      const float p = sand_fraction(layer.sand_share(row, col));
      layer.sand_share(row, col) = p;
      layer.kh_mix(row, col) = horizontal_mix(p, layer.sand_kh(row, col), layer.clay_kh(row, col));
      layer.kv_mix(row, col) = vertical_mix(p, layer.sand_kv(row, col), layer.clay_kv(row, col));
    }
  }
}

}  // namespace corbella
