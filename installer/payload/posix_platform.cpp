// POSIX file system calls behind the copy phase.
#include "installer/payload/posix_platform.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "gridkit/temporary_files.hpp"
#include "installer/payload/header.hpp"
#include "installer/payload/library_search.hpp"

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

namespace {

std::string system_reason(int error) { return std::strerror(error); }

}  // namespace

FileRead PosixPlatform::read_file(const std::string& path) {
  FileRead result;
  const auto fail = [&](std::string problem) {
    result.failure = Failure{path, std::nullopt, std::move(problem)};
    result.storage.reset();
    result.size = 0;
    return std::move(result);
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail("cannot be opened (" + system_reason(errno) + ")");
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return fail("cannot be sized (not a regular file)");
  }
  // Buffer lengths and offsets of the payload are 32-bit.
  if (static_cast<std::uint64_t>(info.st_size) > 0xFFFFFFFFULL) {
    ::close(fd);
    return fail("cannot be sized (over 4 GiB)");
  }
  // The read fills the storage; clearing it first would only cost time.
  const std::size_t size = static_cast<std::size_t>(info.st_size);
  result.storage = uncleared_storage(size);
  std::size_t got = 0;
  int error = 0;
  while (got < size) {
    const ssize_t n = ::read(fd, result.storage.get() + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (got != size) {
    return fail("fewer bytes could be read (" + std::to_string(got) + ") than the file holds (" +
                std::to_string(size) + ")" +
                (error != 0 ? ": " + system_reason(error) : std::string()));
  }
  result.size = size;
  return result;
}

void PosixPlatform::create_folder(const std::string& path) { ::mkdir(path.c_str(), 0777); }

bool PosixPlatform::file_readable(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  ::close(fd);
  return regular;
}

namespace {

// Writes all of `bytes`; 0 or the errno of the write that failed.
int write_all(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// A name for the temporary file in the target's folder: short, so that it
// fits wherever the target's name does, and hidden from a plain listing.
std::string temporary_beside(const std::string& path, unsigned attempt) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  return folder + ".setup-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".part";
}

}  // namespace

std::optional<Failure> PosixPlatform::write_new_file(const std::string& path,
                                                     std::span<const std::uint8_t> bytes) {
  const auto fail = [&](const char* step, int error) {
    return Failure{path, std::nullopt, std::string(step) + ": " + system_reason(error)};
  };
  // Created exclusive and without following links, so nothing planted at the
  // temporary name is written through; renamed over the target when whole,
  // which replaces a link at the target instead of writing through it.
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  std::string temporary;
  std::optional<gridkit::TemporaryListing> pending;  // an interrupt removes it
  int fd = -1;
  for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temporary = temporary_beside(path, attempt);
    pending.emplace(temporary);  // listed before it exists
    fd = ::open(temporary.c_str(), kFlags, 0666);
    if (fd >= 0) break;
    const int error = errno;
    pending.reset();  // the name is not ours: another file may stand there
    if (error != EEXIST) return fail("create", error);
  }
  if (fd < 0) return fail("create", EEXIST);
  int error = write_all(fd, bytes);
  const char* step = "write";
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
    error = errno;
    step = "replace";
  }
  if (error != 0) {
    ::unlink(temporary.c_str());
    return fail(step, error);
  }
  return std::nullopt;
}

void PosixPlatform::set_last_write_time(const std::string& path, std::uint64_t time) {
  const UnixTime t = unix_time(time);
  struct timespec times[2]{};
  times[0].tv_nsec = UTIME_OMIT;  // access time stays
  times[1].tv_sec = static_cast<time_t>(t.seconds);
  times[1].tv_nsec = static_cast<long>(t.nanoseconds);
  ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

namespace {

// True when `path` names an existing folder that is the same as `other`.
bool same_folder(const struct stat& folder, const std::string& other) {
  struct stat info {};
  return !other.empty() && ::stat(other.c_str(), &info) == 0 && info.st_dev == folder.st_dev &&
         info.st_ino == folder.st_ino;
}

}  // namespace

bool PosixPlatform::library_present(const std::string& name, const std::string& install_folder) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
    return false;
  if (!loader_cache_) {
    FileRead cache = read_file(kLoaderCache);
    loader_cache_ =
        cache.failure ? std::vector<CachedLibrary>{} : parse_loader_cache(cache.bytes());
  }
  const char* library_path = std::getenv("LD_LIBRARY_PATH");
  for (const std::string& folder :
       loader_folders(library_path ? library_path : "", *loader_cache_)) {
    struct stat folder_info {};
    if (::stat(folder.c_str(), &folder_info) != 0 || !S_ISDIR(folder_info.st_mode)) continue;
    if (same_folder(folder_info, ".") || same_folder(folder_info, install_folder)) continue;
    struct stat info {};
    if (::stat((folder + "/" + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) return true;
  }
  return false;
}

void PosixPlatform::show_progress(Progress line, const std::string& path) {
  progress_ << progress_text(line) << ' ' << shown(path) << '\n' << std::flush;
}

void PosixPlatform::end_progress() { progress_ << std::flush; }

bool PosixPlatform::ask_for_disk(const std::string& label, const std::string&,
                                 const std::string& path) {
  return ask_ ? ask_(label, path) : false;
}

void PosixPlatform::create_shortcuts(const InstallHeader& header,
                                     const std::string& target_folder) {
  // There is no shortcut file of this kind here; say what would be made.
  progress_ << "Shortcut \"" << shown(header.link_name) << "\" (" << shown(header.description)
            << ") to " << shown(target_folder + header.program)
            << " is not created on this system\n"
            << std::flush;
}

PosixPlatform::DiskPrompt terminal_disk_prompt() {
  return [](const std::string& label, const std::string& path) {
    std::FILE* tty = std::fopen("/dev/tty", "r+");
    if (tty == nullptr) return false;
    std::fprintf(tty,
                 "Please insert disk: %s\n(%s is missing, unreadable or empty)\n"
                 "Press Enter when it is there, or type c and Enter to cancel: ",
                 shown(label).c_str(), shown(path).c_str());
    std::fflush(tty);
    char answer[64];
    const bool got = std::fgets(answer, sizeof answer, tty) != nullptr;
    std::fclose(tty);
    return got && answer[0] != 'c' && answer[0] != 'C' && answer[0] != 'n' && answer[0] != 'N';
  };
}

}  // namespace payload
