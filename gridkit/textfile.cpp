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
#include "gridkit/whole_file.hpp"

namespace gridkit {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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
  WholeFile file = read_whole_file(path, display_name);
  std::string_view text(file.bytes.get(), file.size);
  if (text.starts_with(kUtf8Mark)) {
    text.remove_prefix(kUtf8Mark.size());
    note(display_name + ": UTF-8 byte-order mark at the start skipped");
  }
  return InFile(std::move(display_name), std::move(file.bytes), text);
}

std::string_view InFile::without_trailing_blank_lines(std::string_view text) {
  // The last byte that is not white space ends the last line that counts;
  // that line is kept whole, with its line end.
  const std::size_t last = text.find_last_not_of(" \t\r\n\f\v");
  if (last == std::string_view::npos) return text.substr(0, 0);
  const std::size_t line_end = text.find('\n', last);
  return line_end == std::string_view::npos ? text : text.substr(0, line_end + 1);
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
    : output_(path, std::move(display_name)), unwinding_at_open_(std::uncaught_exceptions()) {}

OutFile& OutFile::operator=(OutFile&& other) noexcept {
  if (this != &other) {
    settle();
    output_ = std::move(other.output_);
    pending_ = std::move(other.pending_);
    unwinding_at_open_ = other.unwinding_at_open_;
  }
  return *this;
}

OutFile::~OutFile() { settle(); }

void OutFile::settle() noexcept {
  if (!output_.open()) return;
  const bool stopped_by_error = std::uncaught_exceptions() > unwinding_at_open_;
  try {
    flush();
    if (!stopped_by_error) {
      output_.commit();
      return;
    }
  } catch (const KitError&) {
    return;  // a refused write has discarded the output already
  }
  output_.abandon();
}

void OutFile::close() {
  flush();
  output_.commit();
}

void OutFile::line(std::string_view text) {
  if (pending_.capacity() < kPendingBytes) pending_.reserve(kPendingBytes + 128);
  pending_.append(text);
  pending_.push_back('\n');
  if (pending_.size() >= kPendingBytes) flush();
}

void OutFile::flush() {
  if (pending_.empty() || !output_.open()) return;
  output_.write(pending_.data(), pending_.size());
  pending_.clear();
}

void OutFile::write(const Record& record) {
  for (const std::string& line_text : record.lines()) line(line_text);
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
