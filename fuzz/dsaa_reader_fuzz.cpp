// Feeds arbitrary bytes to the Surfer text grid reader. Anything may be
// reported as a KitError; nothing may crash, hang or allocate past the
// reader's node limit.
#include <cstddef>
#include <cstdint>
#include <string>

#include "gridkit/dsaa_reader.hpp"
#include "gridkit/error.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    gridkit::InFile file = gridkit::InFile::from_text("fuzz.grd", text);
    gridkit::read_dsaa(file);
  } catch (const gridkit::KitError&) {
  }
  try {
    gridkit::InFile file = gridkit::InFile::from_text("fuzz.grd", text);
    gridkit::read_dsaa_model_grid(file);
  } catch (const gridkit::KitError&) {
  }
  return 0;
}
