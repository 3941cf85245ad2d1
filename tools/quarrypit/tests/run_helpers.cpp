#include "tools/quarrypit/tests/run_helpers.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "gridkit/arrays.hpp"
#include "gridkit/dialogue.hpp"
#include "gridkit/textfile.hpp"
#include "tests/support/other_grids.hpp"
#include "tests/support/tool_runs.hpp"
#include "tools/quarrypit/quarrypit.hpp"

namespace quarrypit::testing {

void write_curves(const kit_test::ScratchFolder& folder, const std::vector<Curve>& curves) {
  for (const Curve& curve : curves) {
    std::string text;
    char line[80];
    for (const auto& [x, y] : curve.vertices) {
      std::snprintf(line, sizeof line, "%.3f %.3f 0\n", x, y);
      text += line;
    }
    folder.write(curve.file, text);
  }
}

std::string answers_for(const std::vector<Curve>& curves) {
  std::string answers = curves.front().file + "\nZONES\n";
  for (std::size_t k = 0; k < curves.size(); ++k) {
    if (!curves[k].vertices.empty()) answers += std::to_string(curves[k].value) + "\n";
    answers += (k + 1 < curves.size()) ? "Y\n" + curves[k + 1].file + "\n" : std::string("N\n");
  }
  return answers;
}

gridkit::IntGrid read_boundary(const std::filesystem::path& path) {
  std::ifstream in(path);
  gridkit::IntGrid grid;
  std::string line;
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    int j = 1;
    while (j <= gridkit::NCOL() && std::getline(in, line)) {
      EXPECT_EQ(line.size(), static_cast<std::size_t>(std::min(75, gridkit::NCOL() - j + 1)))
          << "row " << i;
      for (const char c : line) grid(i, j++) = c - '0';
    }
  }
  EXPECT_FALSE(std::getline(in, line)) << "BOUNDARY.FIL runs past row 470";
  return grid;
}

Result run_curves(const std::vector<Curve>& curves) {
  const kit_test::ScratchFolder folder;
  // A test on a grid of its own describes it to the run.
  if (!(gridkit::model_grid() == gridkit::kBuiltInGrid))
    folder.write("GRID.toml", kit_test::grid_file_text(gridkit::model_grid()));
  write_curves(folder, curves);
  Result result{kit_test::run_in(folder, run_quarrypit, answers_for(curves)), {}, {}};
  if (result.run.status == 0) {
    gridkit::InFile zone = gridkit::InFile::open_existing(folder / "ZONES.BOL", "ZONES.BOL");
    result.zone = gridkit::read_int_grid(zone);
    EXPECT_FALSE(zone.next_line()) << "ZONES.BOL runs past row 470";
    result.edge = read_boundary(folder / "BOUNDARY.FIL");
  }
  return result;
}

std::set<std::pair<int, int>> nodes_with(const gridkit::IntGrid& grid, int value) {
  std::set<std::pair<int, int>> nodes;
  for (int i = 1; i <= grid.rows(); ++i) {
    for (int j = 1; j <= grid.cols(); ++j) {
      if (grid(i, j) == value) nodes.insert({i, j});
    }
  }
  return nodes;
}

std::set<std::pair<int, int>> block(int r1, int r2, int c1, int c2) {
  std::set<std::pair<int, int>> nodes;
  for (int i = r1; i <= r2; ++i) {
    for (int j = c1; j <= c2; ++j) nodes.insert({i, j});
  }
  return nodes;
}

}  // namespace quarrypit::testing
