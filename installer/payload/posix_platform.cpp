// POSIX file system calls behind the copy phase.
#include "installer/payload/posix_platform.hpp"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "installer/payload/header.hpp"

namespace payload {

UnixTime unix_time(std::uint64_t file_time) {
  // Ticks of 100 ns; times before 1970 give negative seconds.
  const std::int64_t ticks = static_cast<std::int64_t>(file_time - kUnixEpochFileTime);
  std::int64_t seconds = ticks / 10000000;
  std::int64_t rest = ticks % 10000000;
  if (rest < 0) {
    rest += 10000000;
    --seconds;
  }
  return {seconds, rest * 100};
}

std::uint64_t file_time(const UnixTime& time) {
  return kUnixEpochFileTime + static_cast<std::uint64_t>(time.seconds * 10000000) +
         static_cast<std::uint64_t>(time.nanoseconds / 100);
}

PosixPlatform::PosixPlatform(std::ostream& progress, DiskPrompt ask)
    : progress_(progress), ask_(std::move(ask)) {}

FileRead PosixPlatform::read_file(const std::string& path) {
  FileRead result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    result.problem = std::string("cannot be opened (") + std::strerror(errno) + ")";
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.problem = "cannot be sized (not a regular file)";
    ::close(fd);
    return result;
  }
  // Buffer lengths and offsets of the payload are 32-bit.
  if (static_cast<std::uint64_t>(info.st_size) > 0xFFFFFFFFULL) {
    result.problem = "cannot be sized (over 4 GiB)";
    ::close(fd);
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t got = 0;
  while (got < result.bytes.size()) {
    const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (got != result.bytes.size()) {
    result.problem = "fewer bytes could be read (" + std::to_string(got) + ") than the file holds (" +
                     std::to_string(result.bytes.size()) + ")";
    result.bytes.clear();
    return result;
  }
  result.ok = true;
  return result;
}

void PosixPlatform::create_folder(const std::string& path) {
  ::mkdir(path.c_str(), 0777);
}

bool PosixPlatform::file_readable(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  ::close(fd);
  return regular;
}

namespace {

bool write_all(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool PosixPlatform::write_new_file(const std::string& path, std::span<const std::uint8_t> bytes) {
  // An existing entry is removed and the file created anew: a symbolic or
  // hard link at the target is replaced, never written through. A failed
  // write removes the new file, so no partial file is left.
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(path.c_str(), kFlags, 0666);
  if (fd < 0 && errno == EEXIST && ::unlink(path.c_str()) == 0) fd = ::open(path.c_str(), kFlags, 0666);
  if (fd < 0) return false;
  const bool written = write_all(fd, bytes);
  if (!(::close(fd) == 0 && written)) {
    ::unlink(path.c_str());
    return false;
  }
  return true;
}

void PosixPlatform::set_last_write_time(const std::string& path, std::uint64_t time) {
  const UnixTime t = unix_time(time);
  struct timespec times[2] {};
  times[0].tv_nsec = UTIME_OMIT;  // access time stays
  times[1].tv_sec = static_cast<time_t>(t.seconds);
  times[1].tv_nsec = static_cast<long>(t.nanoseconds);
  ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

bool PosixPlatform::library_present(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return false;
  void* handle = ::dlopen(name.c_str(), RTLD_LAZY | RTLD_LOCAL);
  if (handle == nullptr) return false;
  ::dlclose(handle);
  return true;
}

void PosixPlatform::show_progress(Progress line, const std::string& path) {
  progress_ << progress_text(line) << ' ' << path << '\n' << std::flush;
}

void PosixPlatform::end_progress() { progress_ << std::flush; }

bool PosixPlatform::ask_for_disk(const std::string& label, const std::string&,
                                 const std::string& path) {
  return ask_ ? ask_(label, path) : false;
}

void PosixPlatform::create_shortcuts(const InstallHeader& header, const std::string& target_folder) {
  // There is no shortcut file of this kind here; say what would be made.
  progress_ << "Shortcut \"" << header.link_name << "\" (" << header.description << ") to "
            << target_folder << header.program << " is not created on this system\n"
            << std::flush;
}

PosixPlatform::DiskPrompt terminal_disk_prompt() {
  return [](const std::string& label, const std::string& path) {
    std::FILE* tty = std::fopen("/dev/tty", "r+");
    if (tty == nullptr) return false;
    std::fprintf(tty, "Please insert disk: %s\n(%s is missing, unreadable or empty)\n"
                      "Press Enter when it is there, or type c and Enter to cancel: ",
                 label.c_str(), path.c_str());
    std::fflush(tty);
    char answer[64];
    const bool got = std::fgets(answer, sizeof answer, tty) != nullptr;
    std::fclose(tty);
    return got && answer[0] != 'c' && answer[0] != 'C' && answer[0] != 'n' && answer[0] != 'N';
  };
}

}  // namespace payload
