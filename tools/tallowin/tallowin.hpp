// TALLOWIN and TALLOWEX: a real array of the model grid exported as a Surfer
// text grid. TALLOWIN also reads the IBOUND array and writes inactive cells
// as 0.0; TALLOWEX writes the array as read.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"
#include "gridkit/tool_help.hpp"

namespace tallowin {

void run_tallowin(gridkit::Console& con, const std::filesystem::path& folder);
void run_tallowex(gridkit::Console& con, const std::filesystem::path& folder);

// What --help shows of each program: what it does, its questions in the order
// the dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kTallowinHelp{
    "tallowin", "Writes a real array as a Surfer DSAA text grid, inactive cells as 0.0.",
    "input file, a real array in free format (first 12 characters)\n"
    "IBOUND array (first 12 characters)\n",
    "TRANSMI1.DAT IBOUND.ARR"};
inline constexpr gridkit::ToolHelp kTallowexHelp{
    "tallowex", "Writes a real array as a Surfer DSAA text grid, as read.",
    "input file, a real array in free format (first 12 characters)\n", "TRANSMI1.DAT"};

}  // namespace tallowin
