#include "tools/corbella/mix.hpp"

namespace corbella {

float sand_fraction(float percent_sand) { return percent_sand / 100.0f; }

float horizontal_mix(float p, float kh1, float kh2) {
  const float clay_share = 1.0f - p;
  const float clay_part = clay_share * kh2;
  const float sand_part = kh1 * p;
  return clay_part + sand_part;
}

float vertical_mix(float p, float kv1, float kv2) {
  const float clay_share = 1.0f - p;
  const float clay_resistance = clay_share / kv2;
  const float sand_resistance = p / kv1;
  const float total_resistance = clay_resistance + sand_resistance;
  return 1.0f / total_resistance;
}

void mix_layer(LayerArrays& a) {
  for (int row = 1; row <= a.sand_share.rows(); ++row) {
    for (int col = 1; col <= a.sand_share.cols(); ++col) {
      const float p = sand_fraction(a.sand_share(row, col));
      a.sand_share(row, col) = p;
      a.kh_mix(row, col) = horizontal_mix(p, a.kh1(row, col), a.kh2(row, col));
      a.kv_mix(row, col) = vertical_mix(p, a.kv1(row, col), a.kv2(row, col));
    }
  }
}

}  // namespace corbella
