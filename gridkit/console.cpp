#include "gridkit/console.hpp"

#include <istream>
#include <ostream>

#include "gridkit/error.hpp"
#include "gridkit/freeformat.hpp"
#include "gridkit/notes.hpp"
#include "gridkit/numparse.hpp"
#include "gridkit/whole_file.hpp"

namespace gridkit {

namespace {

constexpr int kBannerInner = 26;  // characters between the frame's asterisks

std::string centred(std::string_view text) {
  const std::size_t width = kBannerInner;
  if (text.size() >= width) return std::string(text.substr(0, width));
  const std::size_t left = (width - text.size()) / 2;
  return std::string(left, ' ') + std::string(text) + std::string(width - text.size() - left, ' ');
}

// The tool's name stands after nine blanks, as the frames of every tool have
// always read (" *         BRISKET          *", " *         QUARRYPIT        *");
// only a name too long for that is centred.
std::string name_field(std::string_view name) {
  constexpr std::size_t kNameIndent = 9;
  if (name.size() + kNameIndent > kBannerInner) return centred(name);
  return std::string(kNameIndent, ' ') + std::string(name) +
         std::string(kBannerInner - kNameIndent - name.size(), ' ');
}

}  // namespace

void Console::write(const Record& record) {
  for (const std::string& line_text : record.lines()) show_record(line_text);
}

void Console::show_record(std::string_view record) {
  if (record.empty()) {
    out_ << '\n';
    return;
  }
  if (record.front() == '0') out_ << '\n';
  if (record.front() == '1') out_ << '\f';
  out_ << record.substr(1) << '\n';
}

void Console::line(std::string_view text) { out_ << text << '\n'; }

void Console::banner(std::string_view name) {
  const std::string rule = " " + std::string(kBannerInner + 2, '*');
  write(Record().text(rule));
  write(Record().text(" *" + name_field(name) + "*"));
  write(Record().text(" *" + centred("GROUNDWATER MODEL KIT") + "*"));
  write(Record().text(" *" + centred("GRID PREPARATION TOOLS") + "*"));
  write(Record().text(rule));
}

void Console::stop() {
  line("Stop - Program terminated.");
  out_.flush();
}

std::string Console::read_line() {
  out_.flush();
  // As std::getline, but an endless line (standard input from /dev/zero)
  // stops at the bound every input of the kit has.
  // Read straight from the stream's buffer: a character at a time through
  // the stream would take a minute to reach the bound.
  std::string text;
  std::streambuf* const buffer = in_.rdbuf();
  bool any = false;
  for (int c = buffer->sbumpc(); c != std::char_traits<char>::eof(); c = buffer->sbumpc()) {
    any = true;
    if (c == '\n') break;
    if (text.size() == kMaxInputBytes) throw KitError::read_file("console", "larger than 256 MiB");
    text.push_back(static_cast<char>(c));
  }
  if (!any) {
    in_.setstate(std::ios::eofbit | std::ios::failbit);
    throw KitError("read console: end of input where an answer was expected");
  }
  ++answers_;
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return text;
}

std::string Console::read_field(int length) {
  std::string text = read_line();
  const std::size_t field = static_cast<std::size_t>(length);
  if (text.size() > field && text.find_first_not_of(' ', field) != std::string::npos) {
    note("the answer \"" + trim_blanks(text) + "\" is longer than its " + std::to_string(length) +
         "-character field; \"" + trim_blanks(text.substr(0, field)) + "\" is used");
  }
  text.resize(field, ' ');
  return text;
}

template <class T>
void Console::read_values_impl(std::span<T> values) {
  std::string current;
  const NextLine next = [this, &current]() -> std::optional<std::string_view> {
    current = read_line();
    return std::string_view(current);
  };
  scan_free(next, static_cast<int>(values.size()), [&](int index, std::string_view token) {
    std::optional<T> value;
    if constexpr (std::is_same_v<T, float>) {
      value = parse_float(token);
    } else if constexpr (std::is_same_v<T, double>) {
      value = parse_double(token);
    } else {
      value = parse_integer(token);
    }
    if (!value) {
      throw KitError::read(
          "console", answers_,
          std::is_same_v<T, long long> ? "expected an integer" : "expected a number", token);
    }
    values[static_cast<std::size_t>(index)] = *value;
  });
}

void Console::read_values(std::span<double> values) { read_values_impl(values); }
void Console::read_values(std::span<float> values) { read_values_impl(values); }
void Console::read_values(std::span<long long> values) { read_values_impl(values); }

std::string trim_blanks(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = field.find_last_not_of(' ');
  return std::string(field.substr(first, last - first + 1));
}

}  // namespace gridkit
