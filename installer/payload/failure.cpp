#include "installer/payload/failure.hpp"

#include <cstdio>

namespace payload {

std::string shown(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      out += c;
      continue;
    }
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", byte);
    out += escape;
  }
  return out;
}

std::string Failure::message() const {
  std::string text = file + ": ";
  if (offset) text += "record at offset " + std::to_string(*offset) + ": ";
  return shown(text + problem);
}

}  // namespace payload
