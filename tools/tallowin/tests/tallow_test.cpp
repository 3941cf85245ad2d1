// TALLOWIN and TALLOWEX run in-process on small generated grids.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/dsaa_reader.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/other_grids.hpp"
#include "tests/support/tool_runs.hpp"
#include "tools/tallowin/tallowin.hpp"

namespace tallowin {
namespace {

using gridkit::NCOL;
using gridkit::NROW;

class TallowTest : public ::testing::Test {
 protected:
  // A free-format real array, 12 values to a line, value(i, j) per cell.
  void write_reals(const std::string& name, const std::function<float(int, int)>& value) {
    kit_test::write_free_grid(dir_ / name, kit_test::make_grid(NROW(), NCOL(), value));
  }
  void write_ibound(const std::string& name, const std::function<int(int, int)>& code) {
    kit_test::write_int_grid(dir_ / name, kit_test::make_int_grid(code));
  }
  std::vector<std::string> lines_of(const std::string& name) { return dir_.lines(name); }
  // The output line holding the first value of grid row `row` (rows are
  // written from NROW() up to 1, 37 lines each, after 5 header lines).
  static std::size_t first_line_of_row(int row) {
    return 5 + static_cast<std::size_t>(NROW() - row) * 37;
  }

  kit_test::ScratchFolder dir_;
};

TEST_F(TallowTest, TallowinWritesTheDialogueHeaderAndRowsSouthToNorth) {
  write_reals("HEADS.DAT", [](int i, int j) { return static_cast<float>(100 * i + j) / 10.0f; });
  write_ibound("IBOUND.DAT", [](int, int) { return 1; });
  const gridkit::ToolRun run = kit_test::run_in(dir_, run_tallowin, "HEADS.DAT\nIBOUND.DAT\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output,
            " ****************************\n"
            " *         TALLOWIN         *\n"
            " *  GROUNDWATER MODEL KIT   *\n"
            " *  GRID PREPARATION TOOLS  *\n"
            " ****************************\n"
            "ENTER THE NAME OF THE INPUT FILE: \n"
            "ENTER THE NAME OF THE IBOUND ARRAY: \n"
            "Stop - Program terminated.\n");
  const std::vector<std::string> lines = lines_of("HEADS.DA.GRD");  // first 8 characters + .GRD
  ASSERT_EQ(lines.size(), 5u + 470u * 37u);
  EXPECT_EQ(lines[0], "DSAA");
  EXPECT_EQ(lines[1], "         361         470");
  EXPECT_EQ(lines[2], "   290568.000000   650568.000000");
  EXPECT_EQ(lines[3], "    88128.000000   557128.000000");
  EXPECT_EQ(lines[4], "       10.100000     4736.100000");
  EXPECT_EQ(lines[first_line_of_row(NROW())].substr(0, 16), "  4700.1  4700.2")
      << "row 470 comes first";
  EXPECT_EQ(lines[first_line_of_row(1)],
            "    10.1    10.2    10.3    10.4    10.5    10.6    10.7    10.8    10.9    11.0");
  EXPECT_EQ(lines[first_line_of_row(1) + 36], "    46.1")
      << "the last line of a row holds one value";
}

TEST_F(TallowTest, TallowinBlanksInactiveCellsButTheRangeKeepsTheirValues) {
  write_reals("IN.DAT", [](int i, int j) {
    if (i == 5 && j == 5) return 9000.0f;  // inactive, the largest value of all
    if (i == 6 && j == 6) return 7000.0f;  // constant head, keeps its value
    return 50.0f;
  });
  write_ibound("IB.DAT", [](int i, int j) {
    if (i == 6 && j == 6) return -1;
    return (i == 5 && j == 5) || j == NCOL() ? 0 : 1;
  });
  const gridkit::ToolRun run = kit_test::run_in(dir_, run_tallowin, "IN.DAT\nIB.DAT\n");
  ASSERT_EQ(run.status, 0) << run.error;
  const std::vector<std::string> lines = lines_of("IN.DAT.GRD");
  ASSERT_EQ(lines.size(), 5u + 470u * 37u);
  EXPECT_EQ(lines[4], "    0.000000E+00     9000.000000")
      << "all values positive but inactive cells written as 0.0: ZMIN is 0, ZMAX from an inactive "
         "cell";
  EXPECT_EQ(lines[first_line_of_row(5)].substr(32, 8), "      .0");
  EXPECT_EQ(lines[first_line_of_row(6)].substr(40, 8), "  7000.0");
  EXPECT_EQ(lines[first_line_of_row(6) + 36], "      .0") << "column 361 is inactive";
}

TEST_F(TallowTest, TallowexWritesTheArrayAsReadWithItsOwnRange) {
  write_reals("IN.DAT", [](int i, int j) { return i == 3 && j == 7 ? -123456.7f : 2.5f; });
  const gridkit::ToolRun run = kit_test::run_in(dir_, run_tallowex, "IN.DAT\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_NE(run.output.find(" *         TALLOWEX         *\n"), std::string::npos);
  EXPECT_EQ(run.output.find("IBOUND"), std::string::npos) << "TALLOWEX asks for no boundary array";
  const std::vector<std::string> lines = lines_of("IN.DAT.GRD");
  ASSERT_EQ(lines.size(), 5u + 470u * 37u);
  EXPECT_EQ(lines[4], "  -123456.700000        2.500000");
  EXPECT_EQ(lines[first_line_of_row(3)].substr(48, 8), "********") << "a value too wide for F8.1";
}

// The grid takes the first 8 characters of the name, or the whole name and
// ".GRD" when it is shorter (blanks around it are not part of it).
TEST_F(TallowTest, GridIsNamedAfterTheInput) {
  const struct {
    const char* answer;
    const char* file;
    const char* grid;
    const char* why;
  } cases[] = {{"TRANSMI1.DAT", "TRANSMI1.DAT", "TRANSMI1.GRD", "a longer name gives its first 8"},
               {"   T1.DAT", "T1.DAT", "T1.DAT.GRD", "leading blanks are not part of the name"},
               {"AB.DAT", "AB.DAT", "AB.DAT.GRD", "a shorter name is taken whole"}};
  for (const auto& c : cases) {
    write_reals(c.file, [](int, int) { return 1.0f; });
    ASSERT_EQ(kit_test::run_in(dir_, run_tallowex, std::string(c.answer) + "\n").status, 0)
        << c.why;
    EXPECT_TRUE(dir_.has(c.grid)) << c.why;
  }
}

TEST_F(TallowTest, ShortOrMalformedInputIsReportedWithItsLine) {
  std::string short_text;
  for (int j = 1; j <= 400; ++j) short_text += "1.0\n";
  dir_.write("SHORT.DAT", short_text);
  gridkit::ToolRun run = kit_test::run_in(dir_, run_tallowex, "SHORT.DAT\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.error, "read SHORT.DAT: end of file after line 400");

  write_reals("BAD.DAT", [](int i, int j) { return i == 2 && j == 1 ? 0.0f : 1.0f; });
  std::string text = dir_.read("BAD.DAT");
  const std::size_t row2 = text.find("\n0 ") + 1;  // row 2 starts its own line
  text.replace(row2, 1, "O");
  dir_.write("BAD.DAT", text);
  run = kit_test::run_in(dir_, run_tallowex, "BAD.DAT\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.error, "read BAD.DAT line 32: expected a number, found \"O\"");

  run = kit_test::run_in(dir_, run_tallowex, "");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.error, "read console: end of input where an answer was expected");
}

// On any grid the arrays are read with the grid's rows and columns and the
// Surfer grid carries the grid's size and node extents: it reads back, as the
// model grid, to the values written (inactive cells 0).
TEST_F(TallowTest, TallowinOnAnyGrid) {
  for (const kit_test::OtherGrid& g : kit_test::other_grids()) {
    const kit_test::OnGrid on_grid(dir_, g.grid);
    const auto value = [](int i, int j) {
      return static_cast<float>(10 * i + j) / 2.0f;
    };  // one decimal, as written
    const auto code = [](int i, int j) { return (i + j) % 3 == 0 ? 0 : 1; };
    write_reals("LEVELS.DAT", value);
    write_ibound("IBOUND.DAT", code);
    const gridkit::ToolRun run = kit_test::run_in(dir_, run_tallowin, "LEVELS.DAT\nIBOUND.DAT\n");
    ASSERT_EQ(run.status, 0) << g.name << ": " << run.error;
    const std::vector<std::string> lines = lines_of("LEVELS.D.GRD");
    const std::size_t row_lines = (static_cast<std::size_t>(NCOL()) + 9) / 10;
    EXPECT_EQ(lines.size(), 5 + row_lines * static_cast<std::size_t>(NROW())) << g.name;
    char size_line[40];
    std::snprintf(size_line, sizeof size_line, " %11d %11d", NCOL(), NROW());
    EXPECT_EQ(lines.at(1), size_line) << g.name;
    gridkit::InFile grd = gridkit::InFile::open_existing(dir_ / "LEVELS.D.GRD", "LEVELS.D.GRD");
    const gridkit::RealGrid back = gridkit::read_dsaa_model_grid(grd);
    for (int i = 1; i <= NROW(); ++i)
      for (int j = 1; j <= NCOL(); ++j)
        ASSERT_EQ(back(i, j), code(i, j) == 0 ? 0.0f : value(i, j))
            << g.name << " row " << i << " col " << j;
  }
}

}  // namespace
}  // namespace tallowin
