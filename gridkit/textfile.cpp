#include "gridkit/textfile.hpp"

#include <cerrno>
#include <cstring>
#include <iterator>
#include <system_error>
#include <vector>

#include "gridkit/error.hpp"
#include "gridkit/freeformat.hpp"
#include "gridkit/numparse.hpp"

namespace gridkit {

namespace {

std::string read_whole(const std::filesystem::path& path, const std::string& name) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw KitError::open(name, std::strerror(errno));
  // In large blocks into room reserved once: a grid file is a megabyte or more.
  std::string text;
  std::error_code size_error;
  const std::uintmax_t size = std::filesystem::file_size(path, size_error);
  if (!size_error) text.reserve(static_cast<std::size_t>(size));
  std::vector<char> block(std::size_t{1} << 16);
  while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    text.append(block.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) throw KitError::read_file(name, std::strerror(errno));
  return text;
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
  std::string text = read_whole(path, display_name);
  return InFile(std::move(display_name), std::move(text));
}

InFile InFile::open_or_create(const std::filesystem::path& path, std::string display_name) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    std::ofstream created(path, std::ios::binary);
    if (!created) throw KitError::open(display_name, std::strerror(errno));
    return InFile(std::move(display_name), std::string());
  }
  return open_existing(path, std::move(display_name));
}

InFile InFile::from_text(std::string display_name, std::string text) {
  return InFile(std::move(display_name), std::move(text));
}

std::optional<std::string_view> InFile::next_line() {
  if (pos_ >= text_.size()) return std::nullopt;
  std::size_t end = text_.find('\n', pos_);
  if (end == std::string::npos) end = text_.size();
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
    : name_(std::move(display_name)), out_(path, std::ios::binary | std::ios::trunc) {
  if (!out_) throw KitError::open(name_, std::strerror(errno));
}

void OutFile::line(std::string_view text) {
  out_ << text << '\n';
  if (!out_) throw KitError::write(name_, "the file could not be written");
}

void OutFile::write(const Record& record) {
  for (const std::string& line_text : record.lines()) line(line_text);
}

void OutFile::flush() {
  out_.flush();
  if (!out_) throw KitError::write(name_, "the file could not be written");
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
