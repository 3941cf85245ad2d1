// HERON2: rebuilds a MODFLOW river package by tracing the river cells of an
// existing one into segments, with stages falling by reach, bottoms 2.3
// below the stages and conductances by stream order.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"
#include "gridkit/tool_help.hpp"

namespace heron2 {

void run_heron2(gridkit::Console& con, const std::filesystem::path& folder);

// What --help shows: what the program does, its questions in the order the
// dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kHelp{
    "heron2", "Rebuilds a MODFLOW river package by tracing the river network cell by cell.",
    "input river package file (first 40 characters)\n"
    "IBOUND array (first 40 characters)\n"
    "output base name NAME (NAME.STG, NAME.FL1-3, NAME.OR1-3 beside NEWRIVER.RIV)\n",
    "RIVER.RIV IBOUND.ARR RIVNET"};

}  // namespace heron2
