// The six character maps: the class of every cell ("B".FL1-3) and its
// stream order ("B".OR1-3), one line per row, the row split into columns
// 1-123, 124-246 and 247-361.
#pragma once

#include <array>
#include <string>

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"
#include "tools/heron2/river_cells.hpp"

namespace heron2 {

// First and last column of each of the three map files.
struct MapPart {
  int first_col;
  int last_col;
};
inline constexpr std::array<MapPart, 3> kMapParts{{{1, 123}, {124, 246}, {247, 361}}};

// The one character an order shows in the order maps: its digit, "*" from 10 on.
char order_digit(int order);

std::string class_line(const gridkit::GridArray<CellClass>& cell_class, int row, MapPart part);
std::string order_line(const gridkit::IntGrid& stream_order, int row, MapPart part);

// Writes every row to the three class maps and the three order maps.
void write_maps(const gridkit::GridArray<CellClass>& cell_class,
                const gridkit::IntGrid& stream_order, std::array<gridkit::OutFile*, 3> class_maps,
                std::array<gridkit::OutFile*, 3> order_maps);

}  // namespace heron2
