// Compressor producing implode streams that explode() (and any decoder of
// the format) reads back.
//
// The parse is optimal over the format's fixed codes: every token's cost in
// bits is exact, so a shortest-path search over the positions of the input,
// fed with the nearest match of every length that the hash chains find,
// gives the smallest stream for those candidates. Two greedy modes are kept
// as baselines: a plain one (always the longest match found) and one that
// takes the longest match only when it is cheaper than its literals.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace dcl {

enum class LiteralCoding : std::uint8_t {
  binary = 0,  // literals as plain 8-bit values
  ascii = 1,   // literals through the fixed literal code (short codes for text)
};

enum class ParseMode {
  optimal,       // shortest path over exact token costs
  greedy,        // longest match when cheaper than its literals
  plain_greedy,  // longest match whenever there is one
};

struct ImplodeOptions {
  LiteralCoding literals = LiteralCoding::binary;
  unsigned dictionary_size = 2048;  // window: 1024, 2048 or 4096 bytes
  ParseMode parse = ParseMode::optimal;
};

// True for the three window sizes the format knows.
bool valid_dictionary_size(unsigned size);

// Compresses `input` into one complete stream: header, tokens, end code, the
// last byte filled with zero bits, and zero bytes up to at least 5 bytes so
// that even the stream of an empty input is not taken for a short read.
// Throws std::invalid_argument for a window size other than 1024, 2048, 4096.
std::vector<std::uint8_t> implode(std::span<const std::uint8_t> input,
                                  const ImplodeOptions& options = {});

}  // namespace dcl
