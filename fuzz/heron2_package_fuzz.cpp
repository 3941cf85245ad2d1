// Arbitrary bytes as a river package: the reader must end in a clean read
// error or a filled grid, never a crash or a write outside the grid.
#include <cstddef>
#include <cstdint>
#include <string>

#include "gridkit/error.hpp"
#include "gridkit/textfile.hpp"
#include "tools/heron2/river_package.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gridkit::InFile file = gridkit::InFile::from_text(
      "fuzz.riv", std::string(reinterpret_cast<const char*>(data), size));
  static heron2::RiverCells cells;
  try {
    heron2::read_package_header(file);
    heron2::read_package_records(file, cells);
  } catch (const gridkit::KitError&) {
  }
  return 0;
}
