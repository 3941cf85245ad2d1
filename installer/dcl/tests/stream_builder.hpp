// Hand assembly of implode streams for the tests, written from the format's
// published code tables and kept apart from the compressor and from the
// decoder's tables, so that both are checked against an independent source.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dcl_test {

// Length symbols: the stored bits in reading order, extra bits, base length.
struct LengthRow {
  std::string_view bits;
  unsigned extra;
  unsigned base;
};
inline constexpr std::array<LengthRow, 16> kLengthRows = {{
    {"101", 0, 2},
    {"11", 0, 3},
    {"100", 0, 4},
    {"011", 0, 5},
    {"0101", 0, 6},
    {"0100", 0, 7},
    {"0011", 0, 8},
    {"00101", 0, 9},
    {"00100", 1, 10},
    {"00011", 2, 12},
    {"00010", 3, 16},
    {"000011", 4, 24},
    {"000010", 5, 40},
    {"000001", 6, 72},
    {"0000001", 7, 136},
    {"0000000", 8, 264},
}};

inline unsigned length_row(unsigned length) {
  unsigned s = 15;
  while (kLengthRows[s].base > length) --s;
  return s;
}

// Distance symbol s as stored, in reading order. Canonical codes by length
// group, worked out by hand: length 2 for symbol 0 (code 0), 4 for 1-2 (from
// 0100), 5 for 3-6 (from 01100), 6 for 7-21 (from 100000), 7 for 22-47 (from
// 1011110), 8 for 48-63 (from 11110000); stored inverted.
inline std::string distance_bits(unsigned s) {
  struct Group {
    unsigned first_symbol, length, first_code;
  };
  constexpr std::array<Group, 6> groups = {{{0, 2, 0b00},
                                            {1, 4, 0b0100},
                                            {3, 5, 0b01100},
                                            {7, 6, 0b100000},
                                            {22, 7, 0b1011110},
                                            {48, 8, 0b11110000}}};
  unsigned g = 5;
  while (groups[g].first_symbol > s) --g;
  const unsigned code = groups[g].first_code + (s - groups[g].first_symbol);
  std::string bits;
  for (unsigned i = groups[g].length; i-- > 0;) bits += ((code >> i) & 1U) != 0 ? '0' : '1';
  return bits;
}

class StreamBuilder {
 public:
  StreamBuilder(std::uint8_t literal_coding, std::uint8_t dict_code)
      : bytes_{literal_coding, dict_code}, dict_code_(dict_code) {}

  // Bits in reading order, e.g. "101".
  StreamBuilder& code(std::string_view bits) {
    for (char c : bits) bit(c == '1');
    return *this;
  }
  // A plain field of `count` bits, least significant bit first.
  StreamBuilder& field(unsigned value, unsigned count) {
    for (unsigned i = 0; i < count; ++i) bit(((value >> i) & 1U) != 0);
    return *this;
  }
  StreamBuilder& literal(std::uint8_t byte) { return code("0").field(byte, 8); }
  StreamBuilder& literals(std::string_view text) {
    for (char c : text) literal(static_cast<std::uint8_t>(c));
    return *this;
  }
  StreamBuilder& length(unsigned len) {
    const LengthRow& row = kLengthRows[length_row(len)];
    return code("1").code(row.bits).field(len - row.base, row.extra);
  }
  StreamBuilder& match(unsigned len, unsigned distance) {
    length(len);
    const unsigned low = len == 2 ? 2 : dict_code_;
    const unsigned d = distance - 1;
    return code(distance_bits(d >> low)).field(d & ((1U << low) - 1), low);
  }
  StreamBuilder& end() { return length(519); }

  // The stream, its last byte completed with zero bits.
  std::vector<std::uint8_t> bytes() const {
    std::vector<std::uint8_t> out = bytes_;
    if (used_ > 0) out.push_back(partial_);
    return out;
  }
  std::size_t bit_count() const { return (bytes_.size() - 2) * 8 + used_; }

 private:
  void bit(bool one) {
    if (one) partial_ = static_cast<std::uint8_t>(partial_ | (1U << used_));
    if (++used_ == 8) {
      bytes_.push_back(partial_);
      partial_ = 0;
      used_ = 0;
    }
  }

  std::vector<std::uint8_t> bytes_;
  unsigned dict_code_;
  std::uint8_t partial_ = 0;
  unsigned used_ = 0;
};

// The output a stream of these tokens must give: matches copied one byte at
// a time, with zeros before the first byte.
class ExpectedOutput {
 public:
  void literal(std::uint8_t b) { bytes_.push_back(b); }
  void match(unsigned len, unsigned distance) {
    for (unsigned i = 0; i < len; ++i) {
      bytes_.push_back(distance > bytes_.size() ? 0 : bytes_[bytes_.size() - distance]);
    }
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace dcl_test
