#include "tools/kitmap/utf8_text.hpp"

#include <cstddef>

namespace kitmap {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the well-formed sequence at the start of `rest`, or 0. The
// second byte's range depends on the first, which rules out overlong forms,
// surrogates and code points past U+10FFFF.
std::size_t sequence_length(std::string_view rest) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(rest[k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (rest.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (!continuation(byte(k))) return 0;
  }
  return length;
}

}  // namespace

std::string valid_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t k = 0;
  while (k < text.size()) {
    const std::size_t length = sequence_length(text.substr(k));
    if (length == 0) {
      out += kReplacement;
      ++k;
    } else {
      out += text.substr(k, length);
      k += length;
    }
  }
  return out;
}

}  // namespace kitmap
