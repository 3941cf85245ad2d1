// The fast sweep's step in plain C++: the reference for the SIMD versions and
// the path for processors without them. Each lane does what one node of the
// plain loop does, with the same operations in the same order.
#include <cmath>
#include <cstring>

#include "tools/brisket/sweep_kernels.hpp"

namespace brisket::kernel {

float sweep_steps_portable(const Strip& strip, int first, int last, float largest) {
  float lane_largest[kLanes] = {};
  float north[kLanes];
  float south[kLanes];
  float updated[kLanes];
  for (int t = first; t < last; ++t) {
    const float* const cur = strip.src + t * kLanes;
    const float* const prev = strip.dst + (t - 1) * kLanes;
    const float* const next = cur + kLanes;
    const std::uint8_t* const mask = strip.masks + t * kLanes;
    // The north and south neighbours are the lanes one up and one down; the
    // end lanes take theirs from the strips above and below.
    north[0] = strip.above[(t + kLanes - 1) * kLanes + kLanes - 1];
    std::memcpy(north + 1, prev, (kLanes - 1) * sizeof(float));
    std::memcpy(south, next + 1, (kLanes - 1) * sizeof(float));
    south[kLanes - 1] = strip.below[(t - kLanes + 1) * kLanes];
    for (int k = 0; k < kLanes; ++k) {
      const float old = cur[k];
      const std::uint8_t m = mask[k];
      const float w = (m & kWestOld) ? old : prev[k];
      const float e = (m & kEastOld) ? old : next[k];
      const float n = (m & kNorthOld) ? old : north[k];
      const float s = (m & kSouthOld) ? old : south[k];
      // Dividing by 4.0 and multiplying by 0.25 are both the exactly rounded
      // quarter, so they agree in every bit.
      const float mean = (e + s + w + n) * 0.25f;
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
