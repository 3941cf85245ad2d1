#include "gridkit/textfile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iterator>
#include <system_error>
#include <utility>

#include "gridkit/error.hpp"
#include "gridkit/freeformat.hpp"
#include "gridkit/notes.hpp"
#include "gridkit/numparse.hpp"

namespace gridkit {

namespace {

// A whole file, read by the system straight into storage sized from the
// file (no copy through a stream's buffer, no clearing first); a file that
// grows while it is read is read to its end all the same.
struct WholeFile {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
};

WholeFile read_whole(const std::filesystem::path& path, const std::string& name) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw KitError::open(name, std::strerror(errno));
  struct stat info {};
  std::size_t room = ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 1 << 16;
  WholeFile file{std::unique_ptr<char[]>(new char[room]), 0};
  for (;;) {
    if (file.size == room) {
      room *= 2;
      std::unique_ptr<char[]> larger(new char[room]);
      std::memcpy(larger.get(), file.bytes.get(), file.size);
      file.bytes = std::move(larger);
    }
    const ssize_t got = ::read(fd, file.bytes.get() + file.size, room - file.size);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      throw KitError::read_file(name, std::strerror(error));
    }
    file.size += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return file;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A new, empty file beside `target`, named after it, that no other run can
// have open: the name is tried with a growing counter until the creation of
// a file that did not exist succeeds.
std::filesystem::path create_temporary_beside(const std::filesystem::path& target,
                                              const std::string& name) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path folder = target.parent_path();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string leaf = "." + target.filename().string() + "." + std::to_string(getpid()) +
                             "-" + std::to_string(counter++) + ".tmp";
    const std::filesystem::path temp = folder / leaf;
    // "x": fail rather than open a file that is already there.
    if (std::FILE* created = std::fopen(temp.c_str(), "wbx")) {
      std::fclose(created);
      return temp;
    }
    if (errno != EEXIST) throw KitError::open(name, std::strerror(errno));
  }
  throw KitError::open(name, "no free name for a temporary file in its folder");
}

template <class T>
std::optional<T> parse_token(std::string_view token) {
  if constexpr (std::is_same_v<T, float>) {
    return parse_float(token);
  } else if constexpr (std::is_same_v<T, double>) {
    return parse_double(token);
  } else {
    return parse_integer(token);
  }
}

template <class T>
const char* kind_name() {
  return std::is_same_v<T, long long> ? "expected an integer" : "expected a number";
}

template <class T>
bool read_free_impl(InFile& file, std::span<T> values) {
  const NextLine next = [&file] { return file.next_line(); };
  return scan_free(next, static_cast<int>(values.size()), [&](int index, std::string_view token) {
    const std::optional<T> value = parse_token<T>(token);
    if (!value) throw KitError::read(file.name(), file.line_number(), kind_name<T>(), token);
    values[static_cast<std::size_t>(index)] = *value;
  });
}

}  // namespace

InFile InFile::open_existing(const std::filesystem::path& path, std::string display_name) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw KitError::open(display_name, "no such file");
  if (std::filesystem::is_directory(path, ec)) throw KitError::open(display_name, "is a folder, not a file");
  WholeFile file = read_whole(path, display_name);
  std::string_view text(file.bytes.get(), file.size);
  if (text.starts_with(kUtf8Mark)) {
    text.remove_prefix(kUtf8Mark.size());
    note(display_name + ": UTF-8 byte-order mark at the start skipped");
  }
  return InFile(std::move(display_name), std::move(file.bytes), text);
}

InFile InFile::from_text(std::string display_name, std::string text) {
  std::unique_ptr<char[]> storage(new char[text.size() + 1]);
  std::memcpy(storage.get(), text.data(), text.size());
  const std::string_view view(storage.get(), text.size());
  return InFile(std::move(display_name), std::move(storage), view);
}

std::optional<std::string_view> InFile::next_line() {
  if (pos_ >= text_.size()) return std::nullopt;
  std::size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) end = text_.size();
  std::string_view line(text_.data() + pos_, end - pos_);
  pos_ = end + 1;
  ++line_;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string_view InFile::require_line() {
  const std::optional<std::string_view> line = next_line();
  if (!line) throw KitError::end_of_file(name_, line_);
  return *line;
}

OutFile::OutFile(const std::filesystem::path& path, std::string display_name)
    : name_(std::move(display_name)), target_(path), unwinding_at_open_(std::uncaught_exceptions()) {
  std::error_code ec;
  // Written through a link, as opening the link would have.
  if (std::filesystem::is_symlink(path, ec)) {
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
    if (!ec) target_ = resolved;
  }
  if (std::filesystem::is_directory(target_, ec)) throw KitError::open(name_, "is a folder, not a file");
  const bool exists = std::filesystem::exists(target_, ec);
  if (exists && access(target_.c_str(), W_OK) != 0) throw KitError::open(name_, std::strerror(errno));
  temp_ = create_temporary_beside(target_, name_);
  if (exists) {
    std::filesystem::permissions(temp_, std::filesystem::status(target_, ec).permissions(), ec);
  }
  out_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!out_) {
    const int error = errno;
    std::filesystem::remove(temp_, ec);
    throw KitError::open(name_, std::strerror(error));
  }
  open_ = true;
}

OutFile::OutFile(OutFile&& other) noexcept
    : name_(std::move(other.name_)),
      target_(std::move(other.target_)),
      temp_(std::move(other.temp_)),
      out_(std::move(other.out_)),
      pending_(std::move(other.pending_)),
      open_(std::exchange(other.open_, false)),
      written_(other.written_),
      unwinding_at_open_(other.unwinding_at_open_) {}

OutFile& OutFile::operator=(OutFile&& other) noexcept {
  if (this != &other) {
    settle();
    name_ = std::move(other.name_);
    target_ = std::move(other.target_);
    temp_ = std::move(other.temp_);
    out_ = std::move(other.out_);
    pending_ = std::move(other.pending_);
    open_ = std::exchange(other.open_, false);
    written_ = other.written_;
    unwinding_at_open_ = other.unwinding_at_open_;
  }
  return *this;
}

OutFile::~OutFile() { settle(); }

void OutFile::discard() noexcept {
  pending_.clear();
  out_.close();
  std::error_code ec;
  std::filesystem::remove(temp_, ec);
  open_ = false;
}

void OutFile::settle() noexcept {
  if (!open_) return;
  const bool stopped_by_error = std::uncaught_exceptions() > unwinding_at_open_;
  if (stopped_by_error && !written_) {
    discard();
    return;
  }
  hand_over();
  out_.close();
  if (!out_) {  // a file cut short by a failed write never takes the name
    discard();
    return;
  }
  std::error_code ec;
  std::filesystem::rename(temp_, target_, ec);
  if (ec) std::filesystem::remove(temp_, ec);
  open_ = false;
}

void OutFile::close() {
  if (!open_) return;
  hand_over();
  out_.close();
  if (!out_) {
    discard();
    throw KitError::write(name_, "the file could not be written");
  }
  std::error_code ec;
  std::filesystem::rename(temp_, target_, ec);
  if (ec) {
    discard();
    throw KitError::write(name_, "the file could not be put in place: " + ec.message());
  }
  open_ = false;
}

void OutFile::line(std::string_view text) {
  written_ = true;
  if (pending_.capacity() < kPendingBytes) pending_.reserve(kPendingBytes + 128);
  pending_.append(text);
  pending_.push_back('\n');
  if (pending_.size() >= kPendingBytes) {
    hand_over();
    if (!out_) fail_write();
  }
}

void OutFile::fail_write() {
  // What did get written is cut short at some unknown point (a full disk, a
  // file-size limit): it is dropped, and a file standing under the name stays.
  discard();
  throw KitError::write(name_, "the file could not be written");
}

void OutFile::hand_over() noexcept {
  if (pending_.empty()) return;
  out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
  pending_.clear();
}

void OutFile::write(const Record& record) {
  for (const std::string& line_text : record.lines()) line(line_text);
}

void OutFile::flush() {
  hand_over();
  out_.flush();
  if (!out_) fail_write();
}

void read_free(InFile& file, std::span<float> values) {
  if (!read_free_impl(file, values)) throw KitError::end_of_file(file.name(), file.line_number());
}
void read_free(InFile& file, std::span<double> values) {
  if (!read_free_impl(file, values)) throw KitError::end_of_file(file.name(), file.line_number());
}
void read_free(InFile& file, std::span<long long> values) {
  if (!read_free_impl(file, values)) throw KitError::end_of_file(file.name(), file.line_number());
}
bool try_read_free(InFile& file, std::span<float> values) { return read_free_impl(file, values); }
bool try_read_free(InFile& file, std::span<double> values) { return read_free_impl(file, values); }

}  // namespace gridkit
