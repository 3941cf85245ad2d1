// The fixed prefix codes of the implode stream format and the decoding
// tables built from them, all computed at compile time.
//
// Format notes the tables rely on:
// - Bits are taken from each byte starting with its least significant bit.
// - A prefix code is read first bit = most significant bit of the code, and
//   every code bit is stored inverted. Each code here is kept as `bits`: the
//   stored bit sequence packed first-bit-in-bit-0, i.e. exactly the value the
//   low `length` bits of a least-significant-bit-first bit buffer show.
// - All three codes are canonical over fixed code lengths: symbols ordered by
//   length, then by symbol number; the first gets the all-zero code of its
//   length, each next one the previous code plus one, shifted left whenever
//   the length grows.
// - A match length is a length symbol's base plus its extra bits; length 519
//   (symbol 15 with all eight extra bits set) is the end code.
// - A distance is (distance symbol << low-bit count | low bits) + 1, with 2
//   low bits for a match of length 2 and k (4, 5 or 6) low bits otherwise.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "installer/dcl/ascii_code_lengths.hpp"

namespace dcl {

inline constexpr unsigned kMinMatch = 2;           // shortest match length
inline constexpr unsigned kMaxMatch = 518;         // longest match length
inline constexpr unsigned kEndCode = 519;          // length value that ends the stream
inline constexpr unsigned kMaxLen2Distance = 256;  // length-2 matches have 2 low bits
inline constexpr unsigned kMaxWindow = 4096;       // largest window (k = 6)
inline constexpr unsigned kMinDictBits = 4;        // k for a 1024-byte window
inline constexpr unsigned kMaxDictBits = 6;        // k for a 4096-byte window
inline constexpr unsigned kLookupBits = 8;         // first-level tables look at 8 bits

// One prefix code: stored bits (first bit read in bit 0) and their count.
struct Code {
  std::uint16_t bits = 0;
  std::uint8_t length = 0;
};

// Length symbols: code length, extra bits and base length of each.
inline constexpr std::array<std::uint8_t, 16> kLengthCodeLengths = {3, 2, 3, 3, 4, 4, 4, 5,
                                                                    5, 5, 5, 6, 6, 6, 7, 7};
inline constexpr std::array<std::uint8_t, 16> kLengthExtraBits = {0, 0, 0, 0, 0, 0, 0, 0,
                                                                  1, 2, 3, 4, 5, 6, 7, 8};
inline constexpr std::array<std::uint16_t, 16> kLengthBase = {2,  3,  4,  5,  6,  7,  8,   9,
                                                              10, 12, 16, 24, 40, 72, 136, 264};

// Distance symbols (the high part of a distance): code length of each.
inline constexpr std::array<std::uint8_t, 64> kDistanceCodeLengths = [] {
  std::array<std::uint8_t, 64> lengths{};
  for (std::size_t s = 0; s < lengths.size(); ++s) {
    lengths[s] = s == 0 ? 2 : s <= 2 ? 4 : s <= 6 ? 5 : s <= 21 ? 6 : s <= 47 ? 7 : 8;
  }
  return lengths;
}();

namespace detail {

// The stored form of canonical code `code` of `length` bits: inverted, and
// reversed so that the first bit read sits in bit 0.
constexpr std::uint16_t stored_bits(unsigned code, unsigned length) {
  unsigned stored = 0;
  for (unsigned i = 0; i < length; ++i) {
    const unsigned bit = ((code >> (length - 1 - i)) & 1U) ^ 1U;
    stored |= bit << i;
  }
  return static_cast<std::uint16_t>(stored);
}

// Canonical code assignment over fixed code lengths.
template <std::size_t N>
constexpr std::array<Code, N> canonical_codes(const std::array<std::uint8_t, N>& lengths) {
  std::array<Code, N> codes{};
  unsigned code = 0;
  unsigned previous_length = 0;
  bool first = true;
  for (unsigned length = 1; length <= 16; ++length) {
    for (std::size_t symbol = 0; symbol < N; ++symbol) {
      if (lengths[symbol] != length) continue;
      code = first ? 0 : (code + 1) << (length - previous_length);
      first = false;
      previous_length = length;
      codes[symbol] = Code{stored_bits(code, length), static_cast<std::uint8_t>(length)};
    }
  }
  return codes;
}

}  // namespace detail

inline constexpr std::array<Code, 16> kLengthCodes = detail::canonical_codes(kLengthCodeLengths);
inline constexpr std::array<Code, 64> kDistanceCodes =
    detail::canonical_codes(kDistanceCodeLengths);
inline constexpr std::array<Code, 256> kAsciiCodes = detail::canonical_codes(kAsciiCodeLengths);

// Length symbol of a match length 2..518.
constexpr unsigned length_symbol(unsigned length) {
  unsigned symbol = 15;
  while (kLengthBase[symbol] > length) --symbol;
  return symbol;
}

// ---- Decoding tables: one entry for each value of the low 8 buffer bits ----

struct LengthEntry {
  std::uint16_t base = 0;       // base length of the symbol
  std::uint8_t code_bits = 0;   // bits the code takes
  std::uint8_t extra_bits = 0;  // extra length bits that follow
};

struct DistanceEntry {
  std::uint8_t symbol = 0;
  std::uint8_t code_bits = 0;
};

// ASCII literal, first level: a code of up to 8 bits gives the byte at once;
// a longer code gives (with code_bits 8 and value 0) the number of its
// second-level table, indexed by the next kAsciiSubBits bits. Second-level
// table 0 is all zeros, so a decoder may always take both levels and add
// their bits and OR their values, with no branch on the code's length.
struct AsciiEntry {
  std::uint8_t value = 0;
  std::uint8_t code_bits = 0;
  std::uint8_t subtable = 0;  // 0: resolved here; n: second-level table n
};

struct AsciiSubEntry {
  std::uint8_t value = 0;
  std::uint8_t code_bits = 0;  // bits beyond the first 8
};

namespace detail {

// Fills every table slot whose low `length` bits equal the stored code.
template <typename Table, typename Entry>
constexpr void fill_slots(Table& table, const Code& code, const Entry& entry) {
  for (unsigned index = code.bits; index < table.size(); index += 1U << code.length) {
    table[index] = entry;
  }
}

template <std::size_t N>
constexpr bool all_lengths_fit_lookup(const std::array<Code, N>& codes) {
  for (const Code& c : codes) {
    if (c.length == 0 || c.length > kLookupBits) return false;
  }
  return true;
}

constexpr unsigned longest_ascii_code() {
  unsigned longest = 0;
  for (const Code& c : kAsciiCodes) longest = c.length > longest ? c.length : longest;
  return longest;
}

// Number of distinct 8-bit prefixes among the ASCII codes longer than 8 bits.
constexpr unsigned count_ascii_prefixes() {
  std::array<bool, 256> seen{};
  unsigned count = 0;
  for (const Code& c : kAsciiCodes) {
    if (c.length <= kLookupBits) continue;
    const unsigned prefix = c.bits & 0xFFU;
    if (!seen[prefix]) ++count;
    seen[prefix] = true;
  }
  return count;
}

}  // namespace detail

static_assert(detail::all_lengths_fit_lookup(kLengthCodes));
static_assert(detail::all_lengths_fit_lookup(kDistanceCodes));

inline constexpr unsigned kAsciiSubBits = detail::longest_ascii_code() - kLookupBits;
inline constexpr unsigned kAsciiSubtables = detail::count_ascii_prefixes();

inline constexpr std::array<LengthEntry, 256> kLengthTable = [] {
  std::array<LengthEntry, 256> table{};
  for (unsigned s = 0; s < 16; ++s) {
    detail::fill_slots(table, kLengthCodes[s],
                       LengthEntry{kLengthBase[s], kLengthCodes[s].length, kLengthExtraBits[s]});
  }
  return table;
}();

inline constexpr std::array<DistanceEntry, 256> kDistanceTable = [] {
  std::array<DistanceEntry, 256> table{};
  for (unsigned s = 0; s < 64; ++s) {
    detail::fill_slots(table, kDistanceCodes[s],
                       DistanceEntry{static_cast<std::uint8_t>(s), kDistanceCodes[s].length});
  }
  return table;
}();

struct AsciiTables {
  std::array<AsciiEntry, 256> first{};
  std::array<std::array<AsciiSubEntry, 1U << kAsciiSubBits>, kAsciiSubtables + 1> second{};
};

inline constexpr AsciiTables kAsciiTables = [] {
  AsciiTables tables{};
  unsigned next_subtable = 0;
  for (unsigned b = 0; b < 256; ++b) {
    const Code& c = kAsciiCodes[b];
    const auto value = static_cast<std::uint8_t>(b);
    if (c.length <= kLookupBits) {
      detail::fill_slots(tables.first, c, AsciiEntry{value, c.length, 0});
      continue;
    }
    const unsigned prefix = c.bits & 0xFFU;
    if (tables.first[prefix].subtable == 0) {
      tables.first[prefix] = AsciiEntry{0, static_cast<std::uint8_t>(kLookupBits),
                                        static_cast<std::uint8_t>(++next_subtable)};
    }
    const Code rest{static_cast<std::uint16_t>(c.bits >> kLookupBits),
                    static_cast<std::uint8_t>(c.length - kLookupBits)};
    detail::fill_slots(tables.second[tables.first[prefix].subtable], rest,
                       AsciiSubEntry{value, rest.length});
  }
  return tables;
}();

namespace detail {

// Every slot filled means each code is complete (no bit pattern undecodable)
// and free of overlaps: the code lengths are those of the format.
constexpr bool tables_complete() {
  for (const auto& e : kLengthTable)
    if (e.code_bits == 0) return false;
  for (const auto& e : kDistanceTable)
    if (e.code_bits == 0) return false;
  for (const auto& e : kAsciiTables.first)
    if (e.code_bits == 0) return false;
  for (std::size_t t = 1; t < kAsciiTables.second.size(); ++t)
    for (const auto& e : kAsciiTables.second[t])
      if (e.code_bits == 0) return false;
  for (const auto& e : kAsciiTables.second[0])
    if (e.code_bits != 0 || e.value != 0) return false;
  return true;
}

constexpr bool kraft_sum_is_one() {
  // Sum of 2^(13 - length) over the ASCII codes must be 2^13.
  unsigned sum = 0;
  for (const Code& c : kAsciiCodes) sum += 1U << (13 - c.length);
  return sum == (1U << 13);
}

}  // namespace detail

static_assert(detail::tables_complete());
static_assert(detail::kraft_sum_is_one());
static_assert(kLengthCodes[1].bits == 0b11 && kLengthCodes[0].bits == 0b101);
static_assert(kDistanceCodes[63].bits == 0 && kDistanceCodes[63].length == 8);

}  // namespace dcl
