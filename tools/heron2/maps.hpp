// The character maps: the class of every cell ("B".FL1, "B".FL2, ...) and
// its stream order ("B".OR1, ...), one line per row, the row split into
// pieces of 123 columns, one file each (columns 1-123, 124-246 and 247-361
// on the built-in grid).
#pragma once

#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"
#include "tools/heron2/river_cells.hpp"

namespace heron2 {

// First and last column of one map file.
struct MapPart {
  int first_col;
  int last_col;
};
inline constexpr int kMapPartColumns = 123;

// The pieces of a row of `columns`, one for each class map and order map.
std::vector<MapPart> map_parts(int columns);

// The one character an order shows in the order maps: its digit, "*" from 10 on.
char order_digit(int order);

std::string class_line(const gridkit::GridArray<CellClass>& cell_class, int row, MapPart part);
std::string order_line(const gridkit::IntGrid& stream_order, int row, MapPart part);

// Writes every row to the class maps and the order maps, one of each for
// every piece of map_parts(NCOL()).
void write_maps(const gridkit::GridArray<CellClass>& cell_class,
                const gridkit::IntGrid& stream_order, const std::vector<gridkit::OutFile*>& class_maps,
                const std::vector<gridkit::OutFile*>& order_maps);

}  // namespace heron2
