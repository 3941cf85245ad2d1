// Match candidates for the compressor: for a position, the nearest earlier
// occurrence of every match length that the window allows (the nearest is
// also the cheapest, since distance codes never get shorter with distance).
//
// Lengths of 3 and more come from hash chains over 3-byte prefixes, walked
// from near to far up to a fixed depth. Length 2, which the format allows
// only up to distance 256, comes from a table of the last position of each
// byte pair.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dcl {

struct Match {
  unsigned length = 0;
  unsigned distance = 0;
};

class MatchFinder {
 public:
  MatchFinder(std::span<const std::uint8_t> data, unsigned window, unsigned max_chain);

  // Candidates at `pos`, at most `max_length` long, in increasing length; a
  // candidate of length L with distance D means every length above the
  // previous candidate's, up to L, is available at D. Returns the count.
  // The previous positions must all have been inserted.
  std::size_t find(std::size_t pos, unsigned max_length, std::vector<Match>& out) const;

  // Makes `pos` available to later searches; positions go in ascending order.
  void insert(std::size_t pos);

 private:
  // Small tables keep the chain walk in the first-level cache.
  static constexpr unsigned kHashBits = 13;
  static constexpr std::size_t kChainSize = 1U << 13;  // > largest window, power of 2
  // Once a match this long is found, only a quarter of the remaining chain
  // is tried: a longer one rarely pays for the search.
  static constexpr unsigned kGoodLength = 32;

  unsigned match_length(std::size_t pos, std::size_t candidate, unsigned limit) const;
  unsigned hash3(std::size_t pos) const;

  std::span<const std::uint8_t> data_;
  unsigned window_;
  unsigned max_chain_;
  // Positions are stored plus one, so that 0 means none.
  std::vector<std::uint32_t> head_;       // newest position of each hash
  std::vector<std::uint32_t> chain_;      // previous position with the same hash
  std::vector<std::uint32_t> last_pair_;  // newest position of each byte pair
};

}  // namespace dcl
