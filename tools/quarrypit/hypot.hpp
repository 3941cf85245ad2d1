// The one length formula of the curve tool, in single precision.
//
// The larger part is factored out so the square never overflows:
// |a|*sqrt(1 + (|b|/|a|)^2) when |a| > |b|, 0 when b is 0, otherwise
// |b|*sqrt(1 + (|a|/|b|)^2). Each operation rounds to single precision in
// this order; band marks near the 500 m limit depend on it.
#pragma once

#include <cmath>

namespace quarrypit {

inline float hypot_single(float a, float b) {
  const float abs_a = std::fabs(a);
  const float abs_b = std::fabs(b);
  if (abs_a > abs_b) {
    const float ratio = abs_b / abs_a;
    const float square = ratio * ratio;
    return abs_a * std::sqrt(1.0f + square);
  }
  if (abs_b == 0.0f) return 0.0f;
  const float ratio = abs_a / abs_b;
  const float square = ratio * ratio;
  return abs_b * std::sqrt(1.0f + square);
}

}  // namespace quarrypit
