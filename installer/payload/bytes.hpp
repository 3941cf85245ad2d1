// Little-endian fields and zero-ended strings read from a byte buffer with
// their bounds checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace payload {

// The 32-bit little-endian value at `pos`; the caller has checked pos + 4 <= size.
inline std::uint32_t get_u32(std::span<const std::uint8_t> bytes, std::size_t pos) {
  return static_cast<std::uint32_t>(bytes[pos]) | static_cast<std::uint32_t>(bytes[pos + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[pos + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[pos + 3]) << 24;
}

inline void put_u32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The zero-ended string at `pos`, if its zero lies inside `bytes` within
// max_length + 1 bytes; nothing when it runs past either bound (`too_long`
// tells which).
struct CString {
  std::optional<std::string> text;
  bool too_long = false;
};

inline CString get_string(std::span<const std::uint8_t> bytes, std::size_t pos,
                          std::size_t max_length) {
  for (std::size_t i = pos; i < bytes.size(); ++i) {
    if (bytes[i] == 0) {
      return {std::string(reinterpret_cast<const char*>(bytes.data() + pos), i - pos), false};
    }
    if (i - pos == max_length) return {std::nullopt, true};
  }
  return {std::nullopt, false};
}

}  // namespace payload
