// Conductivity of a sand-clay mixture from its sand fraction.
//
// Horizontal flow runs along the beds, so the horizontal conductivity is the
// fraction-weighted arithmetic mean of the two materials'; vertical flow
// crosses them, so the vertical conductivity is the weighted harmonic mean.
// All in single precision, each operation rounded once, in the order written.
// Nothing is clamped: a percentage outside 0..100 extrapolates, and a zero
// vertical conductivity gives whatever the IEEE division gives.
#pragma once

#include "gridkit/grid.hpp"

namespace corbella {

// percent sand / 100.0
float sand_fraction(float percent_sand);
// (1.0 - p) * clay_kh + sand_kh * p
float horizontal_mix(float p, float sand_kh, float clay_kh);
// 1.0 / ((1.0 - p) / clay_kv + p / sand_kv)
float vertical_mix(float p, float sand_kv, float clay_kv);

// The layer's arrays, all of the same user-given shape.
struct LayerArrays {
  gridkit::RealGrid sand_kh, clay_kh;  // horizontal conductivities of the two materials
  gridkit::RealGrid sand_kv, clay_kv;  // and their vertical ones
  gridkit::RealGrid sand_share;        // percent sand, then the sand fraction
  gridkit::RealGrid kh_mix, kv_mix;    // horizontal and vertical results
  LayerArrays(int rows, int cols)
      : sand_kh(rows, cols),
        clay_kh(rows, cols),
        sand_kv(rows, cols),
        clay_kv(rows, cols),
        sand_share(rows, cols),
        kh_mix(rows, cols),
        kv_mix(rows, cols) {}
};

// Replaces the percent sand by the sand fraction and fills kh_mix and kv_mix.
void mix_layer(LayerArrays& layer);

}  // namespace corbella
