#include "installer/dcl/match_finder.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

#include "installer/dcl/codes.hpp"

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
      head_(std::size_t{1} << kHashBits, 0),
      chain_(kChainSize, 0),
      last_pair_(std::size_t{1} << 16, 0) {
  if (data.size() >= std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("input of " + std::to_string(data.size()) + " bytes is too large");
  }
}

unsigned MatchFinder::hash3(std::size_t pos) const {
  const std::uint32_t v =
      (std::uint32_t{data_[pos]} << 16) | (std::uint32_t{data_[pos + 1]} << 8) | data_[pos + 2];
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
  const std::size_t pair_next = last_pair_[pair];  // position + 1
  if (pair_next != 0 && pos + 1 - pair_next <= kMaxLen2Distance) {
    out.push_back(Match{2, static_cast<unsigned>(pos + 1 - pair_next)});
  }
  if (max_length < 3) return out.size();

  // Locals, so the walk does not reload members after every push_back.
  const std::uint8_t* const data = data_.data();
  const std::uint32_t* const chain = chain_.data();
  const std::size_t window = window_;
  const unsigned max_chain = max_chain_;
  unsigned best = 2;
  unsigned steps = max_chain;
  for (std::size_t next = head_[hash3(pos)]; next != 0 && steps-- > 0;
       next = chain[(next - 1) & (kChainSize - 1)]) {
    const std::size_t c = next - 1;
    const std::size_t distance = pos - c;
    if (distance > window) break;
    // Only a candidate that beats the best so far matters: check its byte at
    // the best length first.
    if (data[c + best] != data[pos + best]) continue;
    const unsigned length = match_length(pos, c, max_length);
    if (length > best) {
      best = length;
      out.push_back(Match{length, static_cast<unsigned>(distance)});
      if (length == max_length) break;
      if (length >= kGoodLength && steps > max_chain / 4) steps = max_chain / 4;
    }
  }
  return out.size();
}

void MatchFinder::insert(std::size_t pos) {
  if (pos + 1 >= data_.size()) return;
  const auto stored = static_cast<std::uint32_t>(pos + 1);
  last_pair_[(unsigned{data_[pos]} << 8) | data_[pos + 1]] = stored;
  if (pos + 2 >= data_.size()) return;
  std::uint32_t& h = head_[hash3(pos)];
  chain_[pos & (kChainSize - 1)] = h;
  h = stored;
}

}  // namespace dcl
