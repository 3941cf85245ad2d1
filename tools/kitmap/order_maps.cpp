#include "tools/kitmap/order_maps.hpp"

#include <string_view>

#include "gridkit/error.hpp"
#include "gridkit/textfile.hpp"

namespace kitmap {

gridkit::IntGrid read_order_maps(const std::filesystem::path& folder, const std::string& base) {
  static constexpr int kFirst[] = {1, 124, 247};
  static constexpr int kLast[] = {123, 246, 361};
  gridkit::IntGrid order;
  for (int part = 0; part < 3; ++part) {
    const std::string name = base + ".OR" + std::to_string(part + 1);
    gridkit::InFile file = gridkit::InFile::open_existing(folder / name, name);
    const int width = kLast[part] - kFirst[part] + 1;
    for (int row = 1; row <= gridkit::NROW(); ++row) {
      const std::string_view line = file.require_line();
      if (static_cast<int>(line.size()) < width)
        throw gridkit::KitError::read(name, file.line_number(),
                                      "expected " + std::to_string(width) + " order digits", line);
      for (int k = 0; k < width; ++k) {
        const char c = line[static_cast<std::size_t>(k)];
        if (c != '*' && (c < '0' || c > '9'))
          throw gridkit::KitError::read(name, file.line_number(), "not an order digit", line);
        order(row, kFirst[part] + k) = c == '*' ? 10 : c - '0';
      }
    }
  }
  return order;
}

}  // namespace kitmap
