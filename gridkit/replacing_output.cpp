#include "gridkit/replacing_output.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "gridkit/error.hpp"
#include "gridkit/temporary_files.hpp"

namespace gridkit {

namespace {

// The file a chain of links ends at; a dangling link names a file to create.
std::filesystem::path follow_links(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : resolved;
}

}  // namespace

ReplacingOutput::ReplacingOutput(const std::filesystem::path& path, std::string display_name)
    : name_(std::move(display_name)), target_(path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    existed_ = true;
    if (S_ISDIR(info.st_mode)) throw KitError::open(name_, "is a folder, not a file");
    if (!S_ISREG(info.st_mode)) {
      // A device, FIFO or socket, maybe through links (/dev/stdout): written
      // by its own name, as a shell redirect writes it.
      fd_ = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
      if (fd_ < 0) throw KitError::open(name_, system_reason(errno));
      straight_ = true;
      temp_ = target_;
      return;
    }
  } else if (errno != ENOENT) {
    throw KitError::open(name_, system_reason(errno));
  }
  target_ = follow_links(path);
  if (existed_ && ::access(target_.c_str(), W_OK) != 0)
    throw KitError::open(name_, system_reason(errno));
  temp_ = create_temporary_beside(target_, name_, fd_);
  // The replacement keeps the permissions of the file it replaces.
  if (existed_) ::fchmod(fd_, info.st_mode & 07777);
}

ReplacingOutput::ReplacingOutput(ReplacingOutput&& other) noexcept
    : name_(std::move(other.name_)),
      target_(std::move(other.target_)),
      temp_(std::move(other.temp_)),
      fd_(std::exchange(other.fd_, -1)),
      straight_(other.straight_),
      existed_(other.existed_),
      written_(other.written_) {}

ReplacingOutput& ReplacingOutput::operator=(ReplacingOutput&& other) noexcept {
  if (this != &other) {
    abandon();
    name_ = std::move(other.name_);
    target_ = std::move(other.target_);
    temp_ = std::move(other.temp_);
    fd_ = std::exchange(other.fd_, -1);
    straight_ = other.straight_;
    existed_ = other.existed_;
    written_ = other.written_;
  }
  return *this;
}

void ReplacingOutput::write(const char* bytes, std::size_t size) {
  written_ = written_ || size > 0;
  while (size > 0) {
    const ssize_t put = ::write(fd_, bytes, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      discard();
      throw KitError::write(name_, system_reason(error));
    }
    bytes += put;
    size -= static_cast<std::size_t>(put);
  }
}

void ReplacingOutput::close_descriptor() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void ReplacingOutput::commit() {
  if (fd_ < 0) return;
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0 && errno != EINTR) {
    const int error = errno;
    if (!straight_) remove_temporary(temp_);
    throw KitError::write(name_, system_reason(error));
  }
  if (straight_) return;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    remove_temporary(temp_);
    throw KitError::write(name_, "the file could not be put in place: " + system_reason(error));
  }
  forget_temporary(temp_);
}

void ReplacingOutput::abandon() noexcept {
  if (fd_ < 0) return;
  if (straight_ || (existed_ || !written_)) {
    discard();
    return;
  }
  // A partial output under a name that held nothing is kept.
  close_descriptor();
  if (::rename(temp_.c_str(), target_.c_str()) != 0) remove_temporary(temp_);
  forget_temporary(temp_);
}

void ReplacingOutput::discard() noexcept {
  const bool had = fd_ >= 0;
  close_descriptor();
  if (had && !straight_) remove_temporary(temp_);
}

void refuse_output_over_input(const std::filesystem::path& output, const std::string& output_name,
                              std::span<const NamedInput> inputs) {
  struct stat out {};
  if (::stat(output.c_str(), &out) != 0) return;
  for (const NamedInput& input : inputs) {
    struct stat in {};
    if (::stat(input.path.c_str(), &in) != 0) continue;
    if (in.st_dev == out.st_dev && in.st_ino == out.st_ino) {
      throw KitError::open(output_name, "the same file as the input " + shown_name(input.name) +
                                            "; nothing written");
    }
  }
}

}  // namespace gridkit
