// The fast sweep's step with 512-bit vectors: a strip of 32 rows is two
// vectors of 16 lanes. The new values of the previous slot stay in registers
// (west as they are, north shifted down one lane), so the chain from one slot
// to the next never waits on memory. Compiled with -mavx512f -mavx512bw
// -mavx512vl and called only when the processor has them. The step follows
// sweep_avx2.cpp line for line with wider vectors: each file is compiled with
// its own instruction set, so the two cannot share one template.
#include <immintrin.h>

#include "tools/brisket/sweep_kernels.hpp"

namespace brisket::kernel {

namespace {

static_assert(kLanes == 32, "two vectors of 16 lanes per slot");

// The masked forms of the intrinsics below are used with all lanes set: the
// unmasked ones of this compiler's headers start from an "undefined" vector
// that -Wuninitialized reports.
constexpr __mmask16 kAll = 0xffff;

// Lanes 1..15 of `low` followed by lane 0 of `high`: the south neighbours.
inline __m512 next_lane(__m512 low, __m512 high) {
  const __m512i l = _mm512_castps_si512(low);
  return _mm512_castsi512_ps(_mm512_mask_alignr_epi32(l, kAll, _mm512_castps_si512(high), l, 1));
}

// Lane 15 of `low` followed by lanes 0..14 of `high`: the north neighbours.
inline __m512 previous_lane(__m512 low, __m512 high) {
  const __m512i l = _mm512_castps_si512(low);
  return _mm512_castsi512_ps(_mm512_mask_alignr_epi32(l, kAll, _mm512_castps_si512(high), l, 15));
}

struct Masks {
  __mmask16 west, east, north, south, free;
};

inline Masks load_masks(const std::uint8_t* bytes) {
  const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  return {_mm_test_epi8_mask(m, _mm_set1_epi8(kWestOld)),
          _mm_test_epi8_mask(m, _mm_set1_epi8(kEastOld)),
          _mm_test_epi8_mask(m, _mm_set1_epi8(kNorthOld)),
          _mm_test_epi8_mask(m, _mm_set1_epi8(kSouthOld)), _mm_movepi8_mask(m)};
}

// One vector of one slot; returns the new values and raises `largest`.
inline __m512 update(__m512 old, __m512 west, __m512 east, __m512 north, __m512 south,
                     const Masks& m, __m512& largest) {
  west = _mm512_mask_blend_ps(m.west, west, old);
  east = _mm512_mask_blend_ps(m.east, east, old);
  north = _mm512_mask_blend_ps(m.north, north, old);
  south = _mm512_mask_blend_ps(m.south, south, old);
  // (east + south + west + north) / 4.0, summed in that order; * 0.25 is the
  // same exactly rounded quarter.
  const __m512 sum = _mm512_add_ps(_mm512_add_ps(_mm512_add_ps(east, south), west), north);
  const __m512 value = _mm512_mask_blend_ps(m.free, old, _mm512_mul_ps(sum, _mm512_set1_ps(0.25f)));
  const __m512 change = _mm512_abs_ps(_mm512_sub_ps(value, old));
  // maxps returns its second operand unless the first is greater, as the
  // plain loop's "if (change > largest)": a NaN change never wins.
  largest = _mm512_mask_max_ps(largest, kAll, change, largest);
  return value;
}

// update() for lanes that are all free with live neighbours.
inline __m512 plain_update(__m512 old, __m512 west, __m512 east, __m512 north, __m512 south,
                           __m512& largest) {
  const __m512 sum = _mm512_add_ps(_mm512_add_ps(_mm512_add_ps(east, south), west), north);
  const __m512 value = _mm512_mul_ps(sum, _mm512_set1_ps(0.25f));
  const __m512 change = _mm512_abs_ps(_mm512_sub_ps(value, old));
  largest = _mm512_mask_max_ps(largest, kAll, change, largest);
  return value;
}

// One strip's sweep: the previous slot's new values and the lanes' largest
// changes are carried from step to step in registers.
class StripSweep {
 public:
  StripSweep(const Strip& strip, int first) : strip_(strip) {
    const float* const start = strip.dst + (first - 1) * kLanes;
    prev0_ = _mm512_loadu_ps(start);
    prev1_ = _mm512_loadu_ps(start + 16);
    largest0_ = _mm512_setzero_ps();
    largest1_ = _mm512_setzero_ps();
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
    const __m512 old0 = _mm512_loadu_ps(cur);
    const __m512 old1 = _mm512_loadu_ps(cur + 16);
    const __m512 east0 = _mm512_loadu_ps(cur + kLanes);
    const __m512 east1 = _mm512_loadu_ps(cur + kLanes + 16);
    // Lane 15 is the bottom row of the strip above; lane 0 the top row below.
    const __m512 above = _mm512_loadu_ps(strip_.above + (t + kLanes - 1) * kLanes + 16);
    const __m512 below = _mm512_loadu_ps(strip_.below + (t - kLanes + 1) * kLanes);
    const __m512 north0 = previous_lane(above, prev0_), south0 = next_lane(east0, east1);
    const __m512 north1 = previous_lane(prev0_, prev1_), south1 = next_lane(east1, below);
    __m512 value0, value1;
    if constexpr (kPlain) {
      value0 = plain_update(old0, prev0_, east0, north0, south0, largest0_);
      value1 = plain_update(old1, prev1_, east1, north1, south1, largest1_);
    } else {
      value0 = update(old0, prev0_, east0, north0, south0, load_masks(strip_.masks + t * kLanes),
                      largest0_);
      value1 = update(old1, prev1_, east1, north1, south1,
                      load_masks(strip_.masks + t * kLanes + 16), largest1_);
    }
    _mm512_storeu_ps(out, value0);
    _mm512_storeu_ps(out + 16, value1);
    prev0_ = value0;
    prev1_ = value1;
  }

 public:
  // The larger of `largest` and every change made.
  float largest(float largest) const {
    // Lanes hold no NaN and nothing below +0.0: any order of reduction agrees.
    float lanes[32];
    _mm512_storeu_ps(lanes, largest0_);
    _mm512_storeu_ps(lanes + 16, largest1_);
    for (const float lane : lanes) largest = lane > largest ? lane : largest;
    return largest;
  }

 private:
  Strip strip_;
  __m512 prev0_, prev1_, largest0_, largest1_;
};

}  // namespace

float sweep_steps_avx512(const Strip& strip, int first, int last, float largest) {
  StripSweep sweep(strip, first);
  for (int t = first; t < last; ++t) sweep.step(t);
  return sweep.largest(largest);
}

float sweep_pair_steps_avx512(const Strip& upper, const Strip& lower, int first, int last,
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
