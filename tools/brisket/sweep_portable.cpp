// The fast sweep's step in plain C++: the reference for the SIMD versions and
// the path for processors without them. Each lane does what one node of the
// plain loop does, with the same operations in the same order.
#include <cmath>
#include <cstring>

#include "tools/brisket/sweep_kernels.hpp"

namespace brisket::kernel {

float sweep_steps_portable(const Strip& strip, int first, int last, float largest) {
  float lane_largest[kLanes] = {};
  float updated[kLanes];
  for (int t = first; t < last; ++t) {
    const float* const cur = strip.src + t * kLanes;
    const float* const prev = strip.dst + (t - 1) * kLanes;
    const float* const next = cur + kLanes;
    const std::uint8_t* const mask = strip.masks + t * kLanes;
    const float north_of_top = strip.above[(t + kLanes - 1) * kLanes + kLanes - 1];
    const float south_of_bottom = strip.below[(t - kLanes + 1) * kLanes];
    for (int k = 0; k < kLanes; ++k) {
      const float old = cur[k];
      const std::uint8_t m = mask[k];
      const float west = (m & kWestOld) ? old : prev[k];
      const float east = (m & kEastOld) ? old : next[k];
      const float north = (m & kNorthOld) ? old : (k > 0 ? prev[k - 1] : north_of_top);
      const float south = (m & kSouthOld) ? old : (k < kLanes - 1 ? next[k + 1] : south_of_bottom);
      // Dividing by 4.0 and multiplying by 0.25 are both the exactly rounded
      // quarter, so they agree in every bit.
      const float mean = (east + south + west + north) * 0.25f;
      const float value = (m & kFree) ? mean : old;
      updated[k] = value;
      const float change = std::fabs(value - old);
      lane_largest[k] = change > lane_largest[k] ? change : lane_largest[k];
    }
    std::memcpy(strip.dst + t * kLanes, updated, sizeof updated);
  }
  // No lane holds a NaN (a NaN change never wins the comparison) and none is
  // below +0.0, so the order of this reduction cannot change the result.
  for (const float lane : lane_largest) largest = lane > largest ? lane : largest;
  return largest;
}

}  // namespace brisket::kernel
