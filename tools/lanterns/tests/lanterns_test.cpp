// Whole runs of LANTERNS: the dialogue, the output records, unreadable lines,
// and the chain into QUARRYPIT.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "gridkit/dialogue.hpp"
#include "gridkit/points.hpp"
#include "gridkit/textfile.hpp"
#include "gridkit/tool_main.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/scratch_folder.hpp"
#include "tools/lanterns/lanterns.hpp"
#include "tools/quarrypit/quarrypit.hpp"

namespace lanterns {
namespace {

using kit_test::ScratchFolder;

TEST(LanternsRun, Site1ConvertsEveryPoint) {
  const ScratchFolder folder;
  folder.write("SITE1.xyz", "10 20 5\n0,0,0\n1.047 0.7 -2.5\n");
  const gridkit::ToolRun run = gridkit::run_tool(run_lanterns, "SITE1\n", folder.path());
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output,
            "ENTER THE 8 CHARACTER .XYZ FILENAME CONTAINING \n"
            "DIGITIZER XYZ (OUTPUT FROM PENNYCAT.EXE): \n"
            "Stop - Program terminated.\n");
  EXPECT_EQ(folder.read("SITE1.OUT"),
            "   400658.400000   335270.600000        5.000000\n"
            "   276771.100000    79738.000000    0.000000E+00\n"
            "   289958.400000    88789.790000       -2.500000\n");
}

TEST(LanternsRun, EmptyInputGivesEmptyOutput) {
  const ScratchFolder folder;
  folder.write("EMPTY.xyz", "");
  const gridkit::ToolRun run = gridkit::run_tool(run_lanterns, "EMPTY\n", folder.path());
  ASSERT_EQ(run.status, 0) << run.error;
  ASSERT_TRUE(folder.has("EMPTY.OUT"));
  EXPECT_EQ(folder.read("EMPTY.OUT"), "");
}

TEST(LanternsRun, UnreadableLinesAreReportedAndSkipped) {
  const ScratchFolder folder;
  // Line 2 is not numbers; line 3 starts a point that line 4 spoils; a
  // short line continues on the next (lines 5 and 6 make one point).
  folder.write("MIXED.xyz", "10 20 5\nten 20 5\n1 2\nx\n0 0\n0\n");
  std::ostringstream report;
  std::istringstream answers("MIXED\n");
  std::ostringstream shown;
  gridkit::Console con(answers, shown);
  convert_points(con, folder.path(), report);
  EXPECT_EQ(folder.read("MIXED.OUT"),
            "   400658.400000   335270.600000        5.000000\n"
            "   276771.100000    79738.000000    0.000000E+00\n");
  const std::string lines = report.str();
  EXPECT_NE(lines.find("MIXED.xyz line 2"), std::string::npos) << lines;
  EXPECT_NE(lines.find("MIXED.xyz line 4"), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2);
  EXPECT_NE(shown.str().find("Stop - Program terminated."), std::string::npos);
}

TEST(LanternsProgram, ReportsOnStandardErrorAndEndsNormally) {
  const ScratchFolder folder;
  folder.write("SITE1.xyz", "10 20 5\n1,2,three\n");
  const std::string command = "cd '" + folder.path().string() +
                              "' && echo SITE1 | '" KIT_BIN_DIR
                              "/lanterns' >console.txt 2>errors.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_NE(folder.read("errors.txt").find("SITE1.xyz line 2"), std::string::npos);
  EXPECT_EQ(folder.read("SITE1.OUT"), "   400658.400000   335270.600000        5.000000\n");
}

// Whether (x, y) lies inside the polygon, by the plain even-odd rule.
bool inside(const std::vector<gridkit::PointXY>& polygon, double x, double y) {
  bool in = false;
  for (std::size_t k = 0, l = polygon.size() - 1; k < polygon.size(); l = k++) {
    const double xk = polygon[k].x, yk = polygon[k].y, xl = polygon[l].x, yl = polygon[l].y;
    if ((yk > y) != (yl > y) && x < xk + (y - yk) * (xl - xk) / (yl - yk)) in = !in;
  }
  return in;
}

TEST(LanternsChain, OutputIsACurveFileForQuarrypit) {
  const ScratchFolder folder;
  // A digitized five-sided outline, about 60 km across.
  folder.write("OUTLINE.xyz",
               "10.13 12.21 0\n14.87 12.52 0\n15.33 15.91 0\n12.42 17.64 0\n9.71 15.07 0\n");
  ASSERT_EQ(gridkit::run_tool(run_lanterns, "OUTLINE\n", folder.path()).status, 0);

  gridkit::InFile out = gridkit::InFile::open_existing(folder / "OUTLINE.OUT", "OUTLINE.OUT");
  std::vector<gridkit::PointXY> polygon;
  while (const auto p = gridkit::read_point_xy(out)) polygon.push_back(*p);
  ASSERT_EQ(polygon.size(), 5u);

  const gridkit::ToolRun run =
      gridkit::run_tool(quarrypit::run_quarrypit, "OUTLINE.OUT\nOUTLINE\n3\nN\n", folder.path());
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_NE(run.output.find("VERTEX #          5"), std::string::npos);
  const gridkit::IntGrid zones = kit_test::read_int_grid(folder / "OUTLINE.BOL");
  int filled = 0;
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    for (int j = 1; j <= gridkit::NCOL(); ++j) {
      const bool expected = inside(polygon, gridkit::node_x_double(j), gridkit::node_y_double(i));
      EXPECT_EQ(zones(i, j), expected ? 3 : 0) << "row " << i << " column " << j;
      filled += expected ? 1 : 0;
    }
  }
  EXPECT_GT(filled, 1000);
}

}  // namespace
}  // namespace lanterns
