// Running QUARRYPIT in-process on curves written into a fresh folder, and
// reading back its two arrays.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gridkit/grid.hpp"
#include "gridkit/tool_main.hpp"
#include "tests/support/scratch_folder.hpp"

namespace quarrypit::testing {

struct Curve {
  std::string file;                                 // name of the curve file
  std::vector<std::pair<double, double>> vertices;  // X, Y in order
  int value = 1;                                    // interior value answered
};

struct Result {
  gridkit::ToolRun run;
  gridkit::IntGrid zone;  // the ".BOL" array
  gridkit::IntGrid edge;  // BOUNDARY.FIL
};

// Writes each curve file into `folder` (as "X Y 0" lines).
void write_curves(const kit_test::ScratchFolder& folder, const std::vector<Curve>& curves);

// Answers for a run over the curves in order, output base "ZONES".
std::string answers_for(const std::vector<Curve>& curves);

// Writes the curves, runs the tool on the model grid in force and reads
// ZONES.BOL and BOUNDARY.FIL.
Result run_curves(const std::vector<Curve>& curves);

// The nodes (row, column) holding `value`.
std::set<std::pair<int, int>> nodes_with(const gridkit::IntGrid& grid, int value);

// Every node of rows r1..r2 and columns c1..c2.
std::set<std::pair<int, int>> block(int r1, int r2, int c1, int c2);

// Reads BOUNDARY.FIL: 75 digits to a line, each row on new lines.
gridkit::IntGrid read_boundary(const std::filesystem::path& path);

}  // namespace quarrypit::testing
