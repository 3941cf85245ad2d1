#include "gridkit/node_snapping.hpp"

#include <cmath>

namespace gridkit {
namespace {

// Beyond this many cells a point is far outside the grid; the bound keeps the
// conversion to an integer defined.
constexpr float kFarOff = 1.0e6f;

}  // namespace

std::optional<int> node_index_by_adding_half(float t) {
  const float rounded = t >= 0.0f ? t + 0.5f : t - 0.5f;
  if (!(rounded > -kFarOff && rounded < kFarOff)) return std::nullopt;
  return static_cast<int>(rounded) + 1;  // the integer part, toward zero
}

std::optional<int> node_index_by_rounding(float t) {
  const float rounded = std::round(t);  // halves away from zero
  if (!(rounded >= -kFarOff && rounded <= kFarOff)) return std::nullopt;
  return static_cast<int>(rounded) + 1;
}

}  // namespace gridkit
