#include "gridkit/error.hpp"

#include <string>

namespace gridkit {

namespace {

// What was found on a bad line, shortened so the report stays one line.
std::string quoted(std::string_view found) {
  constexpr std::size_t kMaxShown = 40;
  std::string shown(found.substr(0, kMaxShown));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  if (found.size() > kMaxShown) shown += "...";
  return "\"" + shown + "\"";
}

}  // namespace

KitError KitError::open(std::string_view file, std::string_view reason) {
  return KitError("open " + std::string(file) + ": " + std::string(reason));
}

KitError KitError::read(std::string_view file, long line, std::string_view reason,
                        std::string_view found) {
  return KitError("read " + std::string(file) + " line " + std::to_string(line) + ": " +
                  std::string(reason) + ", found " + quoted(found));
}

KitError KitError::end_of_file(std::string_view file, long line) {
  if (line == 0) return KitError("read " + std::string(file) + ": end of file (the file is empty)");
  return KitError("read " + std::string(file) + ": end of file after line " + std::to_string(line));
}

KitError KitError::read_file(std::string_view file, std::string_view reason) {
  return KitError("read " + std::string(file) + ": " + std::string(reason));
}

KitError KitError::write(std::string_view file, std::string_view reason) {
  return KitError("write " + std::string(file) + ": " + std::string(reason));
}

}  // namespace gridkit
