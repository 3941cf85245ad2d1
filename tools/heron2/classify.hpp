// Classification of the river cells by the pattern of their river
// neighbours: line ends ("S"), junctions ("*") and mouths ("M").
#pragma once

#include "gridkit/grid.hpp"
#include "tools/heron2/river_cells.hpp"

namespace heron2 {

// The cell classes from the river flags and the boundary codes: "1" on every river cell and "0"
// elsewhere, then the interior cells (rows 2 to NROW()-1, columns 2 to NCOL()-1) classified by
// their neighbours. The outer rows and columns stay "1".
void classify_cells(const gridkit::IntGrid& river_flag, const gridkit::IntGrid& boundary,
                    gridkit::GridArray<CellClass>& cell_class);

// On the built-in grid, the two cells of the fixed link are plain river
// whatever their neighbours.
void apply_fixed_corrections(gridkit::GridArray<CellClass>& cell_class);

}  // namespace heron2
