#include "gridkit/whole_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "gridkit/error.hpp"

namespace gridkit {

namespace {

constexpr std::size_t kFirstRoom = std::size_t{1} << 16;

KitError too_large(const std::string& name) { return input_too_large(name); }

// Reads into storage sized from the file (no copy through a stream's buffer,
// no clearing first), growing it by doubling up to one byte past the bound:
// that byte read means the input is too large.
WholeFile read_all(int fd, const std::string& name, std::size_t room) {
  room = std::min(std::max<std::size_t>(room, 1), kMaxInputBytes + 1);
  WholeFile file{std::unique_ptr<char[]>(new char[room]), 0};
  for (;;) {
    if (file.size == room) {
      if (room > kMaxInputBytes) throw too_large(name);
      // Straight to the bound once doubling would come near it: one copy
      // less at the largest size.
      room = room * 2 >= kMaxInputBytes ? kMaxInputBytes + 1 : room * 2;
      std::unique_ptr<char[]> larger(new char[room]);
      std::memcpy(larger.get(), file.bytes.get(), file.size);
      file.bytes = std::move(larger);
    }
    const ssize_t got = ::read(fd, file.bytes.get() + file.size, room - file.size);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      throw KitError::read_file(name, system_reason(errno));
    }
    file.size += static_cast<std::size_t>(got);
  }
  if (file.size > kMaxInputBytes) throw too_large(name);
  return file;
}

struct Descriptor {
  int fd;
  ~Descriptor() { ::close(fd); }
};

}  // namespace

KitError input_too_large(const std::string& name) {
  return KitError::read_file(name, "larger than 256 MiB");
}

int open_input_file(const std::filesystem::path& path, const std::string& name) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) throw KitError::open(name, "no such file");
    throw KitError::open(name, system_reason(errno));
  }
  if (S_ISDIR(info.st_mode)) throw KitError::open(name, "is a folder, not a file");
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw KitError::open(name, system_reason(errno));
  return fd;
}

WholeFile read_whole_file(const std::filesystem::path& path, const std::string& name) {
  const Descriptor file{open_input_file(path, name)};
  struct stat info {};
  if (::fstat(file.fd, &info) == 0 && S_ISREG(info.st_mode)) {
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxInputBytes) throw too_large(name);
    return read_all(file.fd, name, static_cast<std::size_t>(info.st_size) + 1);
  }
  return read_all(file.fd, name, kFirstRoom);
}

WholeFile read_whole_descriptor(int fd, const std::string& name) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw KitError::read_file(name, system_reason(errno));
  const bool regular = S_ISREG(info.st_mode) && info.st_size > 0;
  return read_all(fd, name, regular ? static_cast<std::size_t>(info.st_size) + 1 : kFirstRoom);
}

}  // namespace gridkit
