// The inner step of the fast sweep, in one version per instruction set.
//
// Layout ("strips"): the grid, with a halo row and column of inactive nodes
// around it, is cut into strips of kLanes rows. Within a strip, the node of
// strip row k and grid column c is stored in slot t = c + k, lane k: one slot
// holds one anti-diagonal of the strip, kLanes floats side by side. All nodes
// of a slot are independent of one another, and in slot t
//   west  (k, c-1) is slot t-1 lane k      new value of this sweep
//   north (k-1, c) is slot t-1 lane k-1    new value of this sweep
//   east  (k, c+1) is slot t+1 lane k      old value
//   south (k+1, c) is slot t+1 lane k+1    old value
// For lane 0 the north node is lane kLanes-1 of slot t+kLanes-1 of the strip
// above; for lane kLanes-1 the south node is lane 0 of slot t-kLanes+1 of the
// strip below. Updating the slots in order t = 1, 2, ... therefore gives
// every node exactly the operands the plain north-to-south, west-to-east loop
// gives it, and the same arithmetic gives the same bits.
//
// This header is included by files compiled for wider instruction sets, so it
// holds only plain declarations: no inline function may be shared with the
// rest of the program.
#pragma once

#include <cstdint>

namespace brisket::kernel {

inline constexpr int kLanes = 32;  // rows of a strip, one lane each

// Node mask bits. A set *_OLD bit makes that neighbour contribute the node's
// old value (dead, or outside the grid); FREE marks a node the sweep updates.
inline constexpr std::uint8_t kWestOld = 0x01;
inline constexpr std::uint8_t kEastOld = 0x02;
inline constexpr std::uint8_t kNorthOld = 0x04;
inline constexpr std::uint8_t kSouthOld = 0x08;
inline constexpr std::uint8_t kFree = 0x80;  // the sign bit of a byte

// A strip's values before the sweep (`src`) and after it (`dst`). They may
// be the same buffer (an update in place) or two buffers, so that a sweep can
// be made without losing the state before it. The old values of a slot and
// of the next one are read from `src`; the new values of the previous slot
// from `dst` (at the start of a call) and from the step just made.
struct Strip {
  const float* src;           // slot 0 of this strip before the sweep; slot t at src + t * kLanes
  float* dst;                 // slot 0 of this strip after the sweep
  const float* above;         // slot 0 of the strip above, after the sweep
  const float* below;         // slot 0 of the strip below, before the sweep
  const std::uint8_t* masks;  // slot 0 of this strip's node masks
  // Slots [plain_first, plain_end) hold free nodes only, none with a dead or
  // outside neighbour (every mask kFree): a kernel may step them without the
  // masks. Any range is correct, an empty one included.
  int plain_first = 0;
  int plain_end = 0;
};

// Updates slots [first, last) of a strip in order and returns the larger of
// `largest` and the largest change made. The slots first-1 .. last+1 must
// exist, and the strip above must hold slots up to last+kLanes-1, the strip
// below from first-kLanes+1. Slot first-1 of `dst` must hold new values.
float sweep_steps_portable(const Strip& strip, int first, int last, float largest);
float sweep_steps_avx2(const Strip& strip, int first, int last, float largest);
float sweep_steps_avx512(const Strip& strip, int first, int last, float largest);

// Two strips at once, `upper` and the strip just below it, `lower`, kPairLag
// slots behind: each step makes slot t of upper, then slot t - kPairLag of
// lower. Lower's slot t' needs upper's new slot t'+kLanes-1 (made in the step
// before) and upper's slot t needs lower's old slot t-kLanes+1 (not yet
// made), so every node gets the operands of the strip-by-strip order, while
// the two chains of slot-to-slot dependencies overlap in the processor.
// Updates upper's slots [first, last) and lower's [first-kPairLag,
// last-kPairLag), whose previous slots must hold new values; the reach of
// each strip is as for sweep_steps.
inline constexpr int kPairLag = kLanes;
float sweep_pair_steps_avx2(const Strip& upper, const Strip& lower, int first, int last,
                            float largest);
float sweep_pair_steps_avx512(const Strip& upper, const Strip& lower, int first, int last,
                              float largest);

}  // namespace brisket::kernel
