// LANTERNS: digitizer points (".xyz") to CRSTM points (".OUT").
#pragma once

#include <filesystem>
#include <iosfwd>

#include "gridkit/console.hpp"
#include "gridkit/tool_help.hpp"

namespace lanterns {

// The run, with lines it cannot read reported on standard error.
void run_lanterns(gridkit::Console& con, const std::filesystem::path& folder);

// The same run with those reports going to `report`.
void convert_points(gridkit::Console& con, const std::filesystem::path& folder,
                    std::ostream& report);

// What --help shows: what the program does, its questions in the order the
// dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kHelp{
    "lanterns", "Converts digitizer tablet points (NAME.xyz) to CRSTM points (NAME.OUT).",
    "base name of the .xyz file (first 8 characters)\n", "BASIN"};

}  // namespace lanterns
