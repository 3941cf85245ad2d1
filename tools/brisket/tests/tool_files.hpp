// Small generated models for the family's tests, on the shared test support,
// and the lines of the outputs the tests look at.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/tool_runs.hpp"

namespace brisket::testing {

using gridkit::IntGrid;
using gridkit::NCOL;
using gridkit::NROW;
using gridkit::RealGrid;
using kit_test::answers;
using kit_test::read_fixed_grid;
using kit_test::read_text;
using kit_test::run_in;
using kit_test::ScratchFolder;
using kit_test::write_fixed_grid;
using kit_test::write_int_grid;
using kit_test::write_text;

// Line `n` (from 1) of a text file.
inline std::string line_of(const std::filesystem::path& file, int n) {
  const std::vector<std::string> lines = kit_test::read_lines(file);
  return n <= static_cast<int>(lines.size()) ? lines[n - 1] : std::string();
}

// The ZMIN/ZMAX record of a text grid.
inline std::string zrange_line(const std::filesystem::path& grd) { return line_of(grd, 5); }

// The last line the console showed before "Stop - Program terminated.".
inline std::string completed_line(const gridkit::ToolRun& run) {
  const std::vector<std::string> lines = kit_test::lines_of(run.output);
  return lines.size() >= 2 ? lines[lines.size() - 2] : std::string();
}

}  // namespace brisket::testing
