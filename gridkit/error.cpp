#include "gridkit/error.hpp"

#include <cstdio>
#include <cstring>
#include <string>

namespace gridkit {

namespace {

bool is_control(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

// The text with each control byte written as an escape: \t, \r, \n, \xNN.
std::string escaped(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    if (!is_control(c)) {
      shown += c;
    } else if (c == '\t') {
      shown += "\\t";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else {
      char code[5];
      std::snprintf(code, sizeof code, "\\x%02X",
                    static_cast<unsigned>(static_cast<unsigned char>(c)));
      shown += code;
    }
  }
  return shown;
}

// What was found on a bad line, shortened so the report stays one line.
std::string quoted(std::string_view found) {
  constexpr std::size_t kMaxShown = 40;
  std::string shown = escaped(found.substr(0, kMaxShown));
  if (found.size() > kMaxShown) shown += "...";
  return "\"" + shown + "\"";
}

}  // namespace

KitError KitError::open(std::string_view file, std::string_view reason) {
  return KitError("open " + shown_name(file) + ": " + std::string(reason));
}

KitError KitError::read(std::string_view file, long line, std::string_view reason,
                        std::string_view found) {
  return KitError("read " + shown_name(file) + " line " + std::to_string(line) + ": " +
                  std::string(reason) + ", found " + quoted(found));
}

KitError KitError::read_line(std::string_view file, long line, std::string_view reason) {
  return KitError("read " + shown_name(file) + " line " + std::to_string(line) + ": " +
                  std::string(reason));
}

KitError KitError::end_of_file(std::string_view file, long line) {
  if (line == 0) return KitError("read " + shown_name(file) + ": end of file (the file is empty)");
  return KitError("read " + shown_name(file) + ": end of file after line " + std::to_string(line));
}

KitError KitError::read_file(std::string_view file, std::string_view reason) {
  return KitError("read " + shown_name(file) + ": " + std::string(reason));
}

KitError KitError::write(std::string_view file, std::string_view reason) {
  return KitError("write " + shown_name(file) + ": " + std::string(reason));
}

std::string system_reason(int error_number) {
  std::string reason = std::strerror(error_number);
  // "No such file or directory" reads as "no such file or directory" after
  // "open NAME: "; an acronym at the start ("EOF") stays as it is.
  if (reason.size() > 1 && reason[0] >= 'A' && reason[0] <= 'Z' &&
      !(reason[1] >= 'A' && reason[1] <= 'Z')) {
    reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
  }
  return reason;
}

std::string shown_name(std::string_view name) {
  for (const char c : name) {
    if (is_control(c)) return "\"" + escaped(name) + "\"";
  }
  return std::string(name);
}

}  // namespace gridkit
