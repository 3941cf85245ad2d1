#include "tools/heron2/maps.hpp"

#include <algorithm>

namespace heron2 {

char order_digit(int order) {
  if (order >= 0 && order <= 9) return static_cast<char>('0' + order);
  return '*';
}

std::vector<MapPart> map_parts(int columns) {
  std::vector<MapPart> parts;
  for (int first = 1; first <= columns; first += kMapPartColumns)
    parts.push_back({first, std::min(first + kMapPartColumns - 1, columns)});
  return parts;
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
                const gridkit::IntGrid& stream_order, const std::vector<gridkit::OutFile*>& class_maps,
                const std::vector<gridkit::OutFile*>& order_maps) {
  const std::vector<MapPart> parts = map_parts(gridkit::NCOL());
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    for (std::size_t p = 0; p < parts.size(); ++p) {
      class_maps[p]->line(class_line(cell_class, i, parts[p]));
      order_maps[p]->line(order_line(stream_order, i, parts[p]));
    }
  }
}

}  // namespace heron2
