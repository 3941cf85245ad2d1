// Feeds arbitrary bytes to the text cleaning kitmap does before Cairo draws a
// title or a file name. The result must be valid UTF-8 (cleaning it again
// changes nothing), no longer than three bytes for each byte given, and the
// same as the input when the input was valid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/kitmap/utf8_text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string drawn = kitmap::valid_utf8(text);
  if (kitmap::valid_utf8(drawn) != drawn) std::abort();
  if (drawn.size() > 3 * text.size()) std::abort();
  if (drawn.find("\xEF\xBF\xBD") == std::string::npos && drawn != text) std::abort();
  return 0;
}
