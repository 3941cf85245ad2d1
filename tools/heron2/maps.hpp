// The class maps "B".FL1, "B".FL2, ...: the class of every cell as its map
// character, split into files by column as every character map of the grid
// is (gridkit/order_maps.hpp, which also writes the stream-order maps).
#pragma once

#include <span>

#include "gridkit/grid.hpp"
#include "gridkit/order_maps.hpp"
#include "gridkit/textfile.hpp"
#include "tools/heron2/river_cells.hpp"

namespace heron2 {

// Writes every row to the class maps, one file per piece.
void write_class_maps(std::span<gridkit::OutFile* const> files,
                      const gridkit::GridArray<CellClass>& cell_class);

}  // namespace heron2
