// Why a payload could not be read or installed: the file (setup image or
// continuation file), the file offset of the record at fault when there is
// one, and what is wrong.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace payload {

// `text` with every byte below 0x20 and 0x7F shown as an escape ("\x1B"), so
// that a name quoted in a message or a listing never drives the terminal.
std::string shown(std::string_view text);

struct Failure {
  std::string file;
  std::optional<std::uint64_t> offset;
  std::string problem;

  // "FILE: record at offset N: PROBLEM", or "FILE: PROBLEM" without an
  // offset; control bytes shown as escapes.
  std::string message() const;
};

}  // namespace payload
