// QUARRYPIT: closed curves to an integer zone array (".BOL") and a boundary
// band array ("BOUNDARY.FIL").
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace quarrypit {

void run_quarrypit(gridkit::Console& con, const std::filesystem::path& folder);

// Row after row of IEDGE, 75 single digits to a line with no separators,
// every row starting a new line.
void write_boundary_rows(gridkit::OutFile& file, const gridkit::IntGrid& iedge, int row);

}  // namespace quarrypit
