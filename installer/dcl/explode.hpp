// Decompressor for implode streams (the payload's file data).
//
// A stream is two header bytes (literal coding 0 = binary or 1 = ASCII, and
// the dictionary size code k = 4, 5, 6 for a 1024-, 2048- or 4096-byte
// window) followed by a bit stream of literals and matches ending in an end
// code. There is no length field and no checksum.
//
// The decompressor is driven by two caller routines: `read` is called with a
// 2048-byte buffer and fills up to that many bytes, returning the count (0
// when the input is exhausted); `write` is given each block of output (4096
// bytes, then one final block of 0 to 4095 bytes) and must consume it before
// returning. `param` is passed unchanged to both. All working storage is the
// caller's work area of kWorkAreaSize bytes, which needs no initialisation
// and no particular alignment; nothing is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace dcl {

inline constexpr std::size_t kWorkAreaSize = 12596;
inline constexpr unsigned kReadSize = 2048;    // bytes asked of each read
inline constexpr unsigned kWriteBlock = 4096;  // bytes handed to each full write

enum class ExplodeResult : int {
  ok = 0,                   // decoded up to the end code
  bad_dictionary_size = 1,  // header byte 1 is not 4, 5 or 6
  bad_literal_coding = 2,   // header byte 0 is not 0 or 1
  short_first_read = 3,     // the first read delivered 4 bytes or fewer
  data_error = 4,           // input ended before the end code
};

// What a result means, in words shared by every message that reports one
// ("input ended before the end code").
std::string_view result_text(ExplodeResult result);

using ReadFunction = unsigned int (*)(char* buffer, unsigned int* size, void* param);
using WriteFunction = void (*)(char* buffer, unsigned int* size, void* param);

// Decompresses one stream. For results 1 to 3 nothing is written; otherwise
// every byte produced, also up to a data error, has been handed to `write`.
ExplodeResult explode(ReadFunction read, WriteFunction write, void* work_area, void* param);

// In-memory convenience over explode(): the result and the bytes produced.
struct Exploded {
  ExplodeResult result = ExplodeResult::ok;
  std::vector<std::uint8_t> bytes;
};
Exploded explode_bytes(std::span<const std::uint8_t> stream);

}  // namespace dcl
