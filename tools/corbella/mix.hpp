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
// (1.0 - p) * kh2 + kh1 * p
float horizontal_mix(float p, float kh1, float kh2);
// 1.0 / ((1.0 - p) / kv2 + p / kv1)
float vertical_mix(float p, float kv1, float kv2);

// The layer's arrays, all of the same user-given shape.
struct LayerArrays {
  gridkit::RealGrid kh1, kh2, kv1, kv2;  // sand and clay conductivities
  gridkit::RealGrid sand_share;          // percent sand, then the sand fraction
  gridkit::RealGrid kh_mix, kv_mix;      // horizontal and vertical results
  LayerArrays(int rows, int cols)
      : kh1(rows, cols), kh2(rows, cols), kv1(rows, cols), kv2(rows, cols),
        sand_share(rows, cols), kh_mix(rows, cols), kv_mix(rows, cols) {}
};

// Replaces the percent sand by the sand fraction and fills kh_mix and kv_mix.
void mix_layer(LayerArrays& a);

}  // namespace corbella
