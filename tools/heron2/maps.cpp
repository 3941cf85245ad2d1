#include "tools/heron2/maps.hpp"

namespace heron2 {

char order_digit(int order) {
  if (order >= 0 && order <= 9) return static_cast<char>('0' + order);
  return '*';
}

std::string class_line(const gridkit::GridArray<CellClass>& cell_class, int row, MapPart part) {
  std::string line;
  for (int j = part.first_col; j <= part.last_col; ++j) line += map_char(cell_class(row, j));
  return line;
}

std::string order_line(const gridkit::IntGrid& stream_order, int row, MapPart part) {
  std::string line;
  for (int j = part.first_col; j <= part.last_col; ++j) line += order_digit(stream_order(row, j));
  return line;
}

void write_maps(const gridkit::GridArray<CellClass>& cell_class,
                const gridkit::IntGrid& stream_order, std::array<gridkit::OutFile*, 3> class_maps,
                std::array<gridkit::OutFile*, 3> order_maps) {
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    for (std::size_t p = 0; p < kMapParts.size(); ++p) {
      class_maps[p]->line(class_line(cell_class, i, kMapParts[p]));
      order_maps[p]->line(order_line(stream_order, i, kMapParts[p]));
    }
  }
}

}  // namespace heron2
