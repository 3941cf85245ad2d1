// QUARRYPIT: closed curves to an integer zone array (".BOL") and a boundary
// band array ("BOUNDARY.FIL").
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"
#include "gridkit/tool_help.hpp"

namespace quarrypit {

void run_quarrypit(gridkit::Console& con, const std::filesystem::path& folder);

// Row after row of IEDGE, 75 single digits to a line with no separators,
// every row starting a new line.
void write_boundary_rows(gridkit::OutFile& file, const gridkit::IntGrid& iedge, int row);

// What --help shows: what the program does, its questions in the order the
// dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kHelp{
    "quarrypit", "Turns closed curves into a zone array (NAME.BOL) and BOUNDARY.FIL.",
    "closed-curve CRSTM point file (first 40 characters)\n"
    "first 8 characters of the output name (NAME.BOL is written)\n"
    "integer value of the curve's interior\n"
    "another curve? Y or N; after Y, that curve's file and interior value\n",
    "BASIN.OUT ZONES 1 Y LAKE.OUT -1 N"};

}  // namespace quarrypit
