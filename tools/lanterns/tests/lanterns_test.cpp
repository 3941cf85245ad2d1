// Whole runs of LANTERNS: the dialogue, file names from the first 8
// characters, the output records, unreadable lines, and the chain into
// QUARRYPIT.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "gridkit/dialogue.hpp"
#include "gridkit/arrays.hpp"
#include "gridkit/points.hpp"
#include "gridkit/textfile.hpp"
#include "gridkit/tool_main.hpp"
#include "tools/lanterns/lanterns.hpp"
#include "tools/quarrypit/quarrypit.hpp"

namespace lanterns {
namespace {

std::filesystem::path fresh_folder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("lanterns_" + std::string(info->name()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

std::string read_text(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(LanternsRun, Site1ConvertsEveryPoint) {
  const std::filesystem::path folder = fresh_folder();
  std::ofstream(folder / "SITE1.xyz") << "10 20 5\n0,0,0\n1.047 0.7 -2.5\n";
  const gridkit::ToolRun run = gridkit::run_tool(run_lanterns, "SITE1\n", folder);
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output,
            "ENTER THE 8 CHARACTER .XYZ FILENAME CONTAINING \n"
            "DIGITIZER XYZ (OUTPUT FROM PENNYCAT.EXE): \n"
            "Stop - Program terminated.\n");
  EXPECT_EQ(read_text(folder / "SITE1.OUT"),
            "   400658.400000   335270.600000        5.000000\n"
            "   276771.100000    79738.000000    0.000000E+00\n"
            "   289958.400000    88789.790000       -2.500000\n");
}

TEST(LanternsRun, OnlyTheFirstEightCharactersCount) {
  const std::filesystem::path folder = fresh_folder();
  std::ofstream(folder / "ABCDEFGH.xyz") << "10 20 5\n";
  std::ofstream(folder / "AB.xyz") << "0 0 0\n";
  ASSERT_EQ(gridkit::run_tool(run_lanterns, "ABCDEFGHIJKLMNOP\n", folder).status, 0);
  EXPECT_TRUE(std::filesystem::exists(folder / "ABCDEFGH.OUT"));
  // Leading and padding blanks are not part of the name.
  ASSERT_EQ(gridkit::run_tool(run_lanterns, "  AB\n", folder).status, 0);
  EXPECT_EQ(read_text(folder / "AB.OUT"), "   276771.100000    79738.000000    0.000000E+00\n");
}

TEST(LanternsRun, EmptyInputGivesEmptyOutput) {
  const std::filesystem::path folder = fresh_folder();
  std::ofstream(folder / "EMPTY.xyz");
  const gridkit::ToolRun run = gridkit::run_tool(run_lanterns, "EMPTY\n", folder);
  ASSERT_EQ(run.status, 0) << run.error;
  ASSERT_TRUE(std::filesystem::exists(folder / "EMPTY.OUT"));
  EXPECT_EQ(std::filesystem::file_size(folder / "EMPTY.OUT"), 0u);
}

TEST(LanternsRun, MissingInputCreatesNoOutput) {
  const std::filesystem::path folder = fresh_folder();
  const gridkit::ToolRun run = gridkit::run_tool(run_lanterns, "NOSUCH\n", folder);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("NOSUCH.xyz"), std::string::npos) << run.error;
  EXPECT_FALSE(std::filesystem::exists(folder / "NOSUCH.OUT"));
}

TEST(LanternsRun, UnreadableLinesAreReportedAndSkipped) {
  const std::filesystem::path folder = fresh_folder();
  // Line 2 is not numbers; line 3 starts a point that line 4 spoils; a
  // short line continues on the next (lines 5 and 6 make one point).
  std::ofstream(folder / "MIXED.xyz") << "10 20 5\nten 20 5\n1 2\nx\n0 0\n0\n";
  std::ostringstream report;
  std::istringstream answers("MIXED\n");
  std::ostringstream shown;
  gridkit::Console con(answers, shown);
  convert_points(con, folder, report);
  EXPECT_EQ(read_text(folder / "MIXED.OUT"),
            "   400658.400000   335270.600000        5.000000\n"
            "   276771.100000    79738.000000    0.000000E+00\n");
  const std::string lines = report.str();
  EXPECT_NE(lines.find("MIXED.xyz line 2"), std::string::npos) << lines;
  EXPECT_NE(lines.find("MIXED.xyz line 4"), std::string::npos) << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2);
  EXPECT_NE(shown.str().find("Stop - Program terminated."), std::string::npos);
}

TEST(LanternsProgram, ReportsOnStandardErrorAndEndsNormally) {
  const std::filesystem::path folder = fresh_folder();
  std::ofstream(folder / "SITE1.xyz") << "10 20 5\n1,2,three\n";
  const std::string command = "cd '" + folder.string() + "' && echo SITE1 | '" KIT_BIN_DIR
                              "/lanterns' >console.txt 2>errors.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_NE(read_text(folder / "errors.txt").find("SITE1.xyz line 2"), std::string::npos);
  EXPECT_EQ(read_text(folder / "SITE1.OUT"), "   400658.400000   335270.600000        5.000000\n");
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
  const std::filesystem::path folder = fresh_folder();
  // A digitized five-sided outline, about 60 km across.
  std::ofstream(folder / "OUTLINE.xyz")
      << "10.13 12.21 0\n14.87 12.52 0\n15.33 15.91 0\n12.42 17.64 0\n9.71 15.07 0\n";
  ASSERT_EQ(gridkit::run_tool(run_lanterns, "OUTLINE\n", folder).status, 0);

  gridkit::InFile out = gridkit::InFile::open_existing(folder / "OUTLINE.OUT", "OUTLINE.OUT");
  std::vector<gridkit::PointXY> polygon;
  while (const auto p = gridkit::read_point_xy(out)) polygon.push_back(*p);
  ASSERT_EQ(polygon.size(), 5u);

  const gridkit::ToolRun run =
      gridkit::run_tool(quarrypit::run_quarrypit, "OUTLINE.OUT\nOUTLINE\n3\nN\n", folder);
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_NE(run.output.find("VERTEX #          5"), std::string::npos);
  gridkit::InFile zone = gridkit::InFile::open_existing(folder / "OUTLINE.BOL", "OUTLINE.BOL");
  const gridkit::IntGrid zones = gridkit::read_int_grid(zone);
  int filled = 0;
  for (int i = 1; i <= gridkit::NROW; ++i) {
    for (int j = 1; j <= gridkit::NCOL; ++j) {
      const bool expected = inside(polygon, gridkit::node_x_double(j), gridkit::node_y_double(i));
      EXPECT_EQ(zones(i, j), expected ? 3 : 0) << "row " << i << " column " << j;
      filled += expected ? 1 : 0;
    }
  }
  EXPECT_GT(filled, 1000);
}

}  // namespace
}  // namespace lanterns
