// Why a payload could not be read or installed: the file (setup image or
// continuation file), the file offset of the record at fault when there is
// one, and what is wrong.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace payload {

struct Failure {
  std::string file;
  std::optional<std::uint64_t> offset;
  std::string problem;

  // "FILE: record at offset N: PROBLEM", or "FILE: PROBLEM" without an offset.
  std::string message() const;
};

}  // namespace payload
