// The fast sweep's step with 256-bit vectors: a strip of 32 rows is four
// vectors of 8 lanes. As in the 512-bit version the previous slot's new
// values stay in registers. Compiled with -mavx2 and called only when the
// processor has it.
#include <immintrin.h>

#include "tools/brisket/sweep_kernels.hpp"

namespace brisket::kernel {

namespace {

static_assert(kLanes == 32, "four vectors of 8 lanes per slot");
constexpr int kVectors = 4;

// Lane 7 of `low` followed by lanes 0..6 of `high`: the north neighbours.
inline __m256 previous_lane(__m256 low, __m256 high) {
  const __m256 middle =
      _mm256_permute2f128_ps(low, high, 0x21);  // low's upper half, high's lower half
  return _mm256_castsi256_ps(
      _mm256_alignr_epi8(_mm256_castps_si256(high), _mm256_castps_si256(middle), 12));
}

// The mask byte's bit moved to the sign of each 32-bit lane, as blendv reads it.
template <int kBit>
inline __m256 mask_of(__m256i bytes) {
  return _mm256_castsi256_ps(_mm256_slli_epi32(bytes, 31 - kBit));
}

// update() for lanes that are all free with live neighbours.
inline __m256 plain_update(__m256 old, __m256 west, __m256 east, __m256 north, __m256 south,
                           __m256& largest) {
  const __m256 sum = _mm256_add_ps(_mm256_add_ps(_mm256_add_ps(east, south), west), north);
  const __m256 value = _mm256_mul_ps(sum, _mm256_set1_ps(0.25f));
  const __m256 change =
      _mm256_and_ps(_mm256_sub_ps(value, old), _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff)));
  largest = _mm256_max_ps(change, largest);
  return value;
}

inline __m256 update(__m256 old, __m256 west, __m256 east, __m256 north, __m256 south,
                     const std::uint8_t* bytes, __m256& largest) {
  // Sign-extended, so the FREE bit (bit 7) is already each lane's sign.
  const __m256i m = _mm256_cvtepi8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes)));
  west = _mm256_blendv_ps(west, old, mask_of<0>(m));
  east = _mm256_blendv_ps(east, old, mask_of<1>(m));
  north = _mm256_blendv_ps(north, old, mask_of<2>(m));
  south = _mm256_blendv_ps(south, old, mask_of<3>(m));
  const __m256 sum = _mm256_add_ps(_mm256_add_ps(_mm256_add_ps(east, south), west), north);
  const __m256 value =
      _mm256_blendv_ps(old, _mm256_mul_ps(sum, _mm256_set1_ps(0.25f)), _mm256_castsi256_ps(m));
  const __m256 change =
      _mm256_and_ps(_mm256_sub_ps(value, old), _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff)));
  largest = _mm256_max_ps(change, largest);  // change > largest ? change : largest
  return value;
}

// One strip's sweep: the previous slot's new values and the lanes' largest
// changes are carried from step to step in registers.
class StripSweep {
 public:
  StripSweep(const Strip& strip, int first) : strip_(strip) {
    for (int j = 0; j < kVectors; ++j) {
      prev_[j] = _mm256_loadu_ps(strip.dst + (first - 1) * kLanes + 8 * j);
      largest_[j] = _mm256_setzero_ps();
    }
  }

  // Slot t; the slot before must be the last one stepped. A slot of free
  // nodes with live neighbours makes the same sums without the masks.
  void step(int t) {
    if (t >= strip_.plain_first && t < strip_.plain_end) {
      step_with<true>(t);
    } else {
      step_with<false>(t);
    }
  }

 private:
  template <bool kPlain>
  void step_with(int t) {
    const float* const cur = strip_.src + t * kLanes;
    float* const out = strip_.dst + t * kLanes;
    const std::uint8_t* const masks = strip_.masks + t * kLanes;
    // Lane 7 is the bottom row of the strip above.
    const __m256 above = _mm256_loadu_ps(strip_.above + (t + kLanes - 1) * kLanes + 24);
    __m256 value[kVectors];
    for (int j = 0; j < kVectors; ++j) {
      const __m256 old = _mm256_loadu_ps(cur + 8 * j);
      const __m256 east = _mm256_loadu_ps(cur + kLanes + 8 * j);
      // The south neighbours are old values of the next slot, one lane on;
      // the last lane's comes from the top row of the strip below.
      __m256 south = _mm256_loadu_ps(cur + kLanes + 8 * j + 1);
      if (j == kVectors - 1) {
        south = _mm256_blend_ps(
            south, _mm256_broadcast_ss(strip_.below + (t - kLanes + 1) * kLanes), 0x80);
      }
      const __m256 north = previous_lane(j == 0 ? above : prev_[j - 1], prev_[j]);
      value[j] = kPlain ? plain_update(old, prev_[j], east, north, south, largest_[j])
                        : update(old, prev_[j], east, north, south, masks + 8 * j, largest_[j]);
    }
    for (int j = 0; j < kVectors; ++j) {
      _mm256_storeu_ps(out + 8 * j, value[j]);
      prev_[j] = value[j];
    }
  }

 public:
  // The larger of `largest` and every change made.
  float largest(float largest) const {
    __m256 all = _mm256_max_ps(_mm256_max_ps(largest_[0], largest_[1]),
                               _mm256_max_ps(largest_[2], largest_[3]));
    __m128 half = _mm_max_ps(_mm256_castps256_ps128(all), _mm256_extractf128_ps(all, 1));
    half = _mm_max_ps(half, _mm_movehl_ps(half, half));
    half = _mm_max_ss(half, _mm_shuffle_ps(half, half, 1));
    const float lanes = _mm_cvtss_f32(half);
    return lanes > largest ? lanes : largest;
  }

 private:
  Strip strip_;
  __m256 prev_[kVectors];
  __m256 largest_[kVectors];
};

}  // namespace

float sweep_steps_avx2(const Strip& strip, int first, int last, float largest) {
  StripSweep sweep(strip, first);
  for (int t = first; t < last; ++t) sweep.step(t);
  return sweep.largest(largest);
}

float sweep_pair_steps_avx2(const Strip& upper, const Strip& lower, int first, int last,
                            float largest) {
  StripSweep up(upper, first);
  StripSweep down(lower, first - kPairLag);
  for (int t = first; t < last; ++t) {
    up.step(t);
    down.step(t - kPairLag);
  }
  return down.largest(up.largest(largest));
}

}  // namespace brisket::kernel
