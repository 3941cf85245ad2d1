// Classification of the river cells by the pattern of their river
// neighbours: line ends ("S"), junctions ("*") and mouths ("M").
#pragma once

#include "gridkit/grid.hpp"

namespace heron2 {

// CELLMAP from IRIVER and IBOUND: "1" on every river cell and "0" elsewhere,
// then the interior cells (rows 2 to NROW-1, columns 2 to NCOL-1) classified
// by their neighbours. The outer rows and columns stay "1".
void classify_cells(const gridkit::IntGrid& IRIVER, const gridkit::IntGrid& IBOUND,
                    gridkit::GridArray<char>& CELLMAP);

// The two cells of the fixed link are plain river whatever their neighbours.
void apply_fixed_corrections(gridkit::GridArray<char>& CELLMAP);

}  // namespace heron2
