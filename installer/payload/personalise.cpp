// Personalisation of an "f" image: owner name and firm written into the
// fields that follow the marker run of "~" bytes.
#include <algorithm>
#include <cstring>

#include "installer/payload/copy_phase.hpp"
#include "installer/payload/format.hpp"

namespace payload {

std::string owner_text(const std::string& text) {
  const std::string plain = text.substr(0, text.find('\0'));
  return plain.substr(0, kMaxOwnerText);
}

namespace {

// Writes `text` and its zero at `at`, cut at the end of the image.
void fill_field(std::span<std::uint8_t> image, std::size_t at, const std::string& text) {
  if (at >= image.size()) return;
  const std::size_t room = image.size() - at;
  const std::size_t n = std::min(room, text.size());
  std::memcpy(image.data() + at, text.data(), n);
  if (n < room) image[at + n] = 0;
}

}  // namespace

bool personalise(std::span<std::uint8_t> image, const std::string& owner_name,
                 const std::string& owner_firm) {
  // Scanning run by run finds the same position as testing every byte for a
  // run of exactly 31 (in a longer run that is 31 bytes before its end), in
  // one pass instead of one per byte of a long run.
  std::size_t p = 0;
  while (p < image.size()) {
    if (image[p] != '~') {
      ++p;
      continue;
    }
    std::size_t end = p;
    while (end < image.size() && image[end] == '~') ++end;
    if (end - p >= kPersonalRun) {
      const std::size_t at = end - kPersonalRun;
      fill_field(image, at, "");
      fill_field(image, at + kPersonalField, owner_text(owner_name));
      fill_field(image, at + 2 * kPersonalField, owner_text(owner_firm));
      return true;
    }
    p = end;
  }
  return false;
}

}  // namespace payload
