#include "tools/kitmap/order_maps.hpp"

#include <algorithm>
#include <string_view>

#include "gridkit/error.hpp"
#include "gridkit/textfile.hpp"

namespace kitmap {

gridkit::IntGrid read_order_maps(const std::filesystem::path& folder, const std::string& base) {
  gridkit::IntGrid order;
  const int parts = (gridkit::NCOL() + kOrderMapColumns - 1) / kOrderMapColumns;
  for (int part = 0; part < parts; ++part) {
    const std::string name = base + ".OR" + std::to_string(part + 1);
    gridkit::InFile file = gridkit::InFile::open_existing(folder / name, name);
    const int first = part * kOrderMapColumns + 1;
    const int width = std::min(kOrderMapColumns, gridkit::NCOL() - first + 1);
    for (int row = 1; row <= gridkit::NROW(); ++row) {
      const std::string_view line = file.require_line();
      if (static_cast<int>(line.size()) < width)
        throw gridkit::KitError::read(name, file.line_number(),
                                      "expected " + std::to_string(width) + " order digits", line);
      for (int k = 0; k < width; ++k) {
        const char c = line[static_cast<std::size_t>(k)];
        if (c != '*' && (c < '0' || c > '9'))
          throw gridkit::KitError::read(name, file.line_number(), "not an order digit", line);
        order(row, first + k) = c == '*' ? 10 : c - '0';
      }
    }
  }
  return order;
}

}  // namespace kitmap
