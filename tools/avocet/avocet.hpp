// AVOCET: one latitude and west longitude from the console to CRSTM X and Y,
// with the intermediate quantities of the conversion printed one per line so
// that a hand computation can be checked against them.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"
#include "gridkit/tool_help.hpp"

namespace avocet {

void run_avocet(gridkit::Console& con, const std::filesystem::path& folder);

// What --help shows: what the program does, its questions in the order the
// dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kHelp{
    "avocet", "Converts one latitude and longitude west to CRSTM X,Y; asks without a prompt.",
    "latitude and longitude west in degrees (both in one answer, or one each)\n", "43.5,85.25"};

}  // namespace avocet
