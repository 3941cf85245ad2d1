// A whole input file read into memory, with a bound: no input of the kit is
// larger than a few megabytes, so one past kMaxInputBytes (an endless device
// such as /dev/zero included) is a read error, "read NAME: larger than
// 256 MiB", and memory stays bounded.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

namespace gridkit {

inline constexpr std::size_t kMaxInputBytes = std::size_t{256} << 20;

struct WholeFile {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
};

// An input opened for reading, for a reader that takes it piece by piece
// (and keeps to kMaxInputBytes itself): the descriptor, which the caller
// closes. A missing file or a folder is an open error naming `name`.
int open_input_file(const std::filesystem::path& path, const std::string& name);

// "read NAME: larger than 256 MiB"
class KitError;
KitError input_too_large(const std::string& name);

// The file's bytes. A missing file or a folder is an open error naming
// `name`; a file that grows while it is read is read to its end (within the
// bound).
WholeFile read_whole_file(const std::filesystem::path& path, const std::string& name);

// Every byte readable from `fd` up to its end; the caller keeps the
// descriptor. A stream that is closed (standard input closed by the shell)
// is a read error, not an empty file.
WholeFile read_whole_descriptor(int fd, const std::string& name);

}  // namespace gridkit
