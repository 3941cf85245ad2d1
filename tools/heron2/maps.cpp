#include "heron2/maps.hpp"

namespace heron2 {

char order_digit(int order) {
  if (order >= 0 && order <= 9) return static_cast<char>('0' + order);
  return '*';
}

std::string class_line(const gridkit::GridArray<char>& CELLMAP, int row, MapPart part) {
  std::string line;
  for (int j = part.first_col; j <= part.last_col; ++j) line += CELLMAP(row, j);
  return line;
}

std::string order_line(const gridkit::IntGrid& IORDER, int row, MapPart part) {
  std::string line;
  for (int j = part.first_col; j <= part.last_col; ++j) line += order_digit(IORDER(row, j));
  return line;
}

void write_maps(const gridkit::GridArray<char>& CELLMAP, const gridkit::IntGrid& IORDER,
                std::array<gridkit::OutFile*, 3> class_maps,
                std::array<gridkit::OutFile*, 3> order_maps) {
  for (int i = 1; i <= gridkit::NROW; ++i) {
    for (std::size_t p = 0; p < kMapParts.size(); ++p) {
      class_maps[p]->line(class_line(CELLMAP, i, kMapParts[p]));
      order_maps[p]->line(order_line(IORDER, i, kMapParts[p]));
    }
  }
}

}  // namespace heron2
