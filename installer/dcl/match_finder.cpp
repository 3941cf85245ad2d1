#include "match_finder.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

#include "codes.hpp"

namespace dcl {

namespace {

std::uint64_t load64(const std::uint8_t* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace

MatchFinder::MatchFinder(std::span<const std::uint8_t> data, unsigned window, unsigned max_chain)
    : data_(data),
      window_(window),
      max_chain_(max_chain),
      head_(std::size_t{1} << kHashBits, -1),
      chain_(kChainSize, -1),
      last_pair_(std::size_t{1} << 16, -1) {}

unsigned MatchFinder::hash3(std::size_t pos) const {
  const std::uint32_t v = (std::uint32_t{data_[pos]} << 16) | (std::uint32_t{data_[pos + 1]} << 8) |
                          data_[pos + 2];
  return (v * 2654435761U) >> (32 - kHashBits);
}

// Number of equal bytes at `pos` and `candidate`, up to `limit`.
unsigned MatchFinder::match_length(std::size_t pos, std::size_t candidate, unsigned limit) const {
  const std::uint8_t* a = data_.data() + pos;
  const std::uint8_t* b = data_.data() + candidate;
  unsigned n = 0;
  if constexpr (std::endian::native == std::endian::little) {
    while (n + 8 <= limit) {
      const std::uint64_t diff = load64(a + n) ^ load64(b + n);
      if (diff != 0) return n + static_cast<unsigned>(std::countr_zero(diff)) / 8;
      n += 8;
    }
  }
  while (n < limit && a[n] == b[n]) ++n;
  return n;
}

std::size_t MatchFinder::find(std::size_t pos, unsigned max_length, std::vector<Match>& out) const {
  out.clear();
  if (max_length < kMinMatch) return 0;
  const unsigned pair = (unsigned{data_[pos]} << 8) | data_[pos + 1];
  const std::int64_t pair_pos = last_pair_[pair];
  if (pair_pos >= 0 && pos - static_cast<std::size_t>(pair_pos) <= kMaxLen2Distance) {
    out.push_back(Match{2, static_cast<unsigned>(pos - static_cast<std::size_t>(pair_pos))});
  }
  if (max_length < 3) return out.size();

  unsigned best = 2;
  unsigned steps = max_chain_;
  for (std::int64_t cand = head_[hash3(pos)]; cand >= 0 && steps-- > 0;
       cand = chain_[static_cast<std::size_t>(cand) & (kChainSize - 1)]) {
    const std::size_t distance = pos - static_cast<std::size_t>(cand);
    if (distance > window_) break;
    const auto c = static_cast<std::size_t>(cand);
    // Only a candidate that beats the best so far matters: check its byte at
    // the best length first.
    if (data_[c + best] != data_[pos + best]) continue;
    const unsigned length = match_length(pos, c, max_length);
    if (length > best) {
      best = length;
      out.push_back(Match{length, static_cast<unsigned>(distance)});
      if (length == max_length) break;
    }
  }
  return out.size();
}

void MatchFinder::insert(std::size_t pos) {
  if (pos + 1 >= data_.size()) return;
  last_pair_[(unsigned{data_[pos]} << 8) | data_[pos + 1]] = static_cast<std::int64_t>(pos);
  if (pos + 2 >= data_.size()) return;
  std::int64_t& h = head_[hash3(pos)];
  chain_[pos & (kChainSize - 1)] = h;
  h = static_cast<std::int64_t>(pos);
}

}  // namespace dcl
