#include "installer/dcl/implode.hpp"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <string>

#include "installer/dcl/codes.hpp"
#include "installer/dcl/match_finder.hpp"

namespace dcl {

namespace {

constexpr std::size_t kMinStreamSize = 5;  // a shorter first read is an error to the decoder
constexpr unsigned kChainDepth = 64;       // hash chain entries tried per position
// A match at least this long is taken at once, ending the current stretch of
// the optimal search (it is nearly always right and keeps runs fast).
constexpr unsigned kNiceLength = 128;
constexpr std::size_t kSegment = 1U << 15;  // positions per optimal-search stretch

// Bits packed first-bit-in-bit-0, as the decoder takes them.
class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void put(unsigned value, unsigned count) {
    acc_ |= static_cast<std::uint64_t>(value) << fill_;
    fill_ += count;
    while (fill_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(acc_));
      acc_ >>= 8;
      fill_ -= 8;
    }
  }
  void put(const Code& code) { put(code.bits, code.length); }

  // Completes the last byte with zero bits.
  void flush() {
    if (fill_ > 0) out_.push_back(static_cast<std::uint8_t>(acc_));
    acc_ = 0;
    fill_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t acc_ = 0;
  unsigned fill_ = 0;
};

// Exact costs in bits and the token writer for one stream's settings.
class TokenCoder {
 public:
  TokenCoder(LiteralCoding literals, unsigned dict_bits)
      : ascii_(literals == LiteralCoding::ascii), dict_bits_(dict_bits) {
    for (unsigned b = 0; b < 256; ++b) literal_cost_[b] = 1 + (ascii_ ? kAsciiCodes[b].length : 8U);
    for (unsigned len = kMinMatch; len <= kMaxMatch; ++len) {
      const unsigned s = length_symbol(len);
      length_cost_[len] = 1 + kLengthCodes[s].length + kLengthExtraBits[s];
    }
  }

  unsigned literal_cost(std::uint8_t b) const { return literal_cost_[b]; }

  unsigned match_cost(unsigned length, unsigned distance) const {
    const unsigned low = low_bits(length);
    return length_cost_[length] + kDistanceCodes[(distance - 1) >> low].length + low;
  }

  void literal(BitWriter& w, std::uint8_t b) const {
    w.put(0, 1);
    if (ascii_) {
      w.put(kAsciiCodes[b]);
    } else {
      w.put(b, 8);
    }
  }

  void match(BitWriter& w, unsigned length, unsigned distance) const {
    put_length(w, length);
    const unsigned low = low_bits(length);
    const unsigned d = distance - 1;
    w.put(kDistanceCodes[d >> low]);
    w.put(d & ((1U << low) - 1), low);
  }

  void end(BitWriter& w) const { put_length(w, kEndCode); }

 private:
  unsigned low_bits(unsigned length) const { return length == 2 ? 2 : dict_bits_; }

  static void put_length(BitWriter& w, unsigned length) {
    const unsigned s = length_symbol(length);
    w.put(1, 1);
    w.put(kLengthCodes[s]);
    w.put(length - kLengthBase[s], kLengthExtraBits[s]);
  }

  bool ascii_;
  unsigned dict_bits_;
  std::array<unsigned, 256> literal_cost_{};
  std::array<unsigned, kMaxMatch + 1> length_cost_{};
};

class Imploder {
 public:
  Imploder(std::span<const std::uint8_t> input, const ImplodeOptions& options, unsigned dict_bits,
           std::vector<std::uint8_t>& out)
      : in_(input),
        coder_(options.literals, dict_bits),
        finder_(input, options.dictionary_size, kChainDepth),
        writer_(out) {}

  // The longest match at each position; with `cost_aware`, only when it
  // takes fewer bits than the literals it replaces.
  void greedy(bool cost_aware) {
    std::size_t pos = 0;
    while (pos < in_.size()) {
      finder_.find(pos, max_length_at(pos, in_.size()), matches_);
      finder_.insert(pos);
      if (!matches_.empty()) {
        const Match m = matches_.back();
        unsigned literal_bits = 0;
        for (unsigned i = 0; i < m.length; ++i) literal_bits += coder_.literal_cost(in_[pos + i]);
        if (!cost_aware || coder_.match_cost(m.length, m.distance) < literal_bits) {
          coder_.match(writer_, m.length, m.distance);
          for (unsigned i = 1; i < m.length; ++i) finder_.insert(pos + i);
          pos += m.length;
          continue;
        }
      }
      coder_.literal(writer_, in_[pos]);
      ++pos;
    }
  }

  void optimal() {
    std::size_t pos = 0;
    while (pos < in_.size()) pos = optimal_stretch(pos);
  }

  void finish() {
    coder_.end(writer_);
    writer_.flush();
  }

 private:
  // The step that reaches a position on the cheapest path found so far.
  struct Step {
    std::uint32_t cost = 0;
    std::uint16_t length = 0;  // 1: literal; 2..518: match
    std::uint16_t distance = 0;
  };

  static unsigned max_length_at(std::size_t pos, std::size_t end) {
    return static_cast<unsigned>(std::min<std::size_t>(kMaxMatch, end - pos));
  }

  // Finds the cheapest token sequence for the input from `start` up to the
  // end of a stretch, writes it and returns where the stretch ended. Matches
  // do not cross the stretch's end.
  std::size_t optimal_stretch(std::size_t start) {
    std::size_t end = std::min(in_.size(), start + kSegment);
    steps_.assign(end - start + 1, Step{std::numeric_limits<std::uint32_t>::max(), 0, 0});
    steps_[0].cost = 0;
    for (std::size_t pos = start; pos < end; ++pos) {
      const std::uint32_t here = steps_[pos - start].cost;
      relax(pos - start + 1, here + coder_.literal_cost(in_[pos]), 1, 0);
      finder_.find(pos, max_length_at(pos, end), matches_);
      finder_.insert(pos);
      if (!matches_.empty() && matches_.back().length >= kNiceLength) {
        const Match m = matches_.back();
        for (unsigned i = 1; i < m.length; ++i) finder_.insert(pos + i);
        end = pos + m.length;
        steps_[end - start] =
            Step{here + coder_.match_cost(m.length, m.distance),
                 static_cast<std::uint16_t>(m.length), static_cast<std::uint16_t>(m.distance)};
        break;
      }
      // A length-2 candidate comes first when there is one; longer
      // candidates may be too far away for length 2.
      unsigned length = !matches_.empty() && matches_.front().length == 2 ? kMinMatch : 3;
      for (const Match& m : matches_) {
        for (; length <= m.length; ++length) {
          relax(pos - start + length, here + coder_.match_cost(length, m.distance), length,
                m.distance);
        }
      }
    }
    write_path(start, end);
    return end;
  }

  void relax(std::size_t index, std::uint32_t cost, unsigned length, unsigned distance) {
    if (cost < steps_[index].cost) {
      steps_[index] =
          Step{cost, static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)};
    }
  }

  // Walks the cheapest path back from `end` and writes its tokens in order.
  void write_path(std::size_t start, std::size_t end) {
    path_.clear();
    for (std::size_t i = end - start; i > 0; i -= steps_[i].length) path_.push_back(steps_[i]);
    std::size_t pos = start;
    for (auto it = path_.rbegin(); it != path_.rend(); ++it) {
      if (it->length == 1) {
        coder_.literal(writer_, in_[pos]);
      } else {
        coder_.match(writer_, it->length, it->distance);
      }
      pos += it->length;
    }
  }

  std::span<const std::uint8_t> in_;
  TokenCoder coder_;
  MatchFinder finder_;
  BitWriter writer_;
  std::vector<Match> matches_;
  std::vector<Step> steps_;
  std::vector<Step> path_;
};

unsigned dictionary_bits(unsigned size) {
  switch (size) {
    case 1024: return 4;
    case 2048: return 5;
    case 4096: return 6;
    default:
      throw std::invalid_argument("window size " + std::to_string(size) +
                                  " is not 1024, 2048 or 4096");
  }
}

}  // namespace

bool valid_dictionary_size(unsigned size) { return size == 1024 || size == 2048 || size == 4096; }

std::vector<std::uint8_t> implode(std::span<const std::uint8_t> input,
                                  const ImplodeOptions& options) {
  const unsigned dict_bits = dictionary_bits(options.dictionary_size);
  std::vector<std::uint8_t> out;
  out.reserve(input.size() / 2 + 16);
  out.push_back(static_cast<std::uint8_t>(options.literals));
  out.push_back(static_cast<std::uint8_t>(dict_bits));
  Imploder imploder(input, options, dict_bits, out);
  if (options.parse == ParseMode::greedy) {
    imploder.greedy(true);
  } else if (options.parse == ParseMode::plain_greedy) {
    imploder.greedy(false);
  } else {
    imploder.optimal();
  }
  imploder.finish();
  if (out.size() < kMinStreamSize) out.resize(kMinStreamSize, 0);
  return out;
}

}  // namespace dcl
