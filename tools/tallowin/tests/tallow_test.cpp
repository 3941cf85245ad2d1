// TALLOWIN and TALLOWEX run in-process on small generated grids.
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/grid.hpp"
#include "gridkit/tool_main.hpp"
#include "tools/tallowin/tallowin.hpp"

namespace tallowin {
namespace {

namespace fs = std::filesystem;
using gridkit::NCOL;
using gridkit::NROW;

class TallowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tallow_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A free-format real array, 12 values to a line, value(i, j) per cell.
  void write_reals(const std::string& name, const std::function<float(int, int)>& value) {
    std::ofstream out(dir_ / name);
    out.precision(9);
    for (int i = 1; i <= NROW; ++i) {
      for (int j = 1; j <= NCOL; ++j) out << value(i, j) << ((j % 12 == 0 || j == NCOL) ? "\n" : " ");
    }
  }
  // An IBOUND array in its 25 x I3 layout.
  void write_ibound(const std::string& name, const std::function<int(int, int)>& code) {
    std::ofstream out(dir_ / name);
    for (int i = 1; i <= NROW; ++i) {
      for (int j = 1; j <= NCOL; ++j) {
        char field[8];
        std::snprintf(field, sizeof field, "%3d", code(i, j));
        out << field << ((j % 25 == 0 || j == NCOL) ? "\n" : "");
      }
    }
  }
  std::vector<std::string> lines_of(const std::string& name) {
    std::ifstream in(dir_ / name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // The output line holding the first value of grid row `row` (rows are
  // written from NROW up to 1, 37 lines each, after 5 header lines).
  static std::size_t first_line_of_row(int row) { return 5 + static_cast<std::size_t>(NROW - row) * 37; }

  fs::path dir_;
};

TEST_F(TallowTest, TallowinWritesTheDialogueHeaderAndRowsSouthToNorth) {
  write_reals("HEADS.DAT", [](int i, int j) { return static_cast<float>(100 * i + j) / 10.0f; });
  write_ibound("IBOUND.DAT", [](int, int) { return 1; });
  const gridkit::ToolRun run = gridkit::run_tool(run_tallowin, "HEADS.DAT\nIBOUND.DAT\n", dir_);
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
  EXPECT_EQ(lines[first_line_of_row(NROW)].substr(0, 16), "  4700.1  4700.2") << "row 470 comes first";
  EXPECT_EQ(lines[first_line_of_row(1)], "    10.1    10.2    10.3    10.4    10.5    10.6    10.7    10.8    10.9    11.0");
  EXPECT_EQ(lines[first_line_of_row(1) + 36], "    46.1") << "the last line of a row holds one value";
}

TEST_F(TallowTest, TallowinBlanksInactiveCellsButTheRangeKeepsTheirValues) {
  write_reals("IN.DAT", [](int i, int j) {
    if (i == 5 && j == 5) return 9000.0f;   // inactive, the largest value of all
    if (i == 6 && j == 6) return 7000.0f;   // constant head, keeps its value
    return 50.0f;
  });
  write_ibound("IB.DAT", [](int i, int j) {
    if (i == 6 && j == 6) return -1;
    return (i == 5 && j == 5) || j == NCOL ? 0 : 1;
  });
  const gridkit::ToolRun run = gridkit::run_tool(run_tallowin, "IN.DAT\nIB.DAT\n", dir_);
  ASSERT_EQ(run.status, 0) << run.error;
  const std::vector<std::string> lines = lines_of("IN.DAT.GRD");
  ASSERT_EQ(lines.size(), 5u + 470u * 37u);
  EXPECT_EQ(lines[4], "    0.000000E+00     9000.000000")
      << "all values positive but inactive cells written as 0.0: ZMIN is 0, ZMAX from an inactive cell";
  EXPECT_EQ(lines[first_line_of_row(5)].substr(32, 8), "      .0");
  EXPECT_EQ(lines[first_line_of_row(6)].substr(40, 8), "  7000.0");
  EXPECT_EQ(lines[first_line_of_row(6) + 36], "      .0") << "column 361 is inactive";
}

TEST_F(TallowTest, TallowexWritesTheArrayAsReadWithItsOwnRange) {
  write_reals("IN.DAT", [](int i, int j) { return i == 3 && j == 7 ? -123456.7f : 2.5f; });
  const gridkit::ToolRun run = gridkit::run_tool(run_tallowex, "IN.DAT\n", dir_);
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_NE(run.output.find(" *         TALLOWEX         *\n"), std::string::npos);
  EXPECT_EQ(run.output.find("IBOUND"), std::string::npos) << "TALLOWEX asks for no boundary array";
  const std::vector<std::string> lines = lines_of("IN.DAT.GRD");
  ASSERT_EQ(lines.size(), 5u + 470u * 37u);
  EXPECT_EQ(lines[4], "  -123456.700000        2.500000");
  EXPECT_EQ(lines[first_line_of_row(3)].substr(48, 8), "********") << "a value too wide for F8.1";
}

TEST_F(TallowTest, NamesAreCutToTwelveTrimmedAndGiveTheGridName) {
  write_reals("TRANSMI1.DAT", [](int, int) { return 1.0f; });
  const gridkit::ToolRun run = gridkit::run_tool(run_tallowex, "TRANSMI1.DAT\n", dir_);
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_TRUE(fs::exists(dir_ / "TRANSMI1.GRD"));

  // Leading blanks are not part of the name; the field still holds 12 characters.
  write_reals("T1.DAT", [](int, int) { return 1.0f; });
  ASSERT_EQ(gridkit::run_tool(run_tallowex, "   T1.DAT\n", dir_).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "T1.DAT.GRD"));
  // A 15-character answer whose first 12 characters start with blanks names
  // only what those 12 hold.
  const gridkit::ToolRun cut = gridkit::run_tool(run_tallowex, "   TRANSMI1.DAT\n", dir_);
  EXPECT_EQ(cut.error, "open TRANSMI1.: no such file");

  write_reals("AB.DAT", [](int, int) { return 1.0f; });
  ASSERT_EQ(gridkit::run_tool(run_tallowex, "AB.DAT\n", dir_).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "AB.DAT.GRD"));

  // 15 characters typed: the first 12 name the file.
  write_reals("LONGNAME.DAT", [](int, int) { return 1.0f; });
  ASSERT_EQ(gridkit::run_tool(run_tallowex, "LONGNAME.DATXYZ\n", dir_).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "LONGNAME.GRD"));
}

TEST_F(TallowTest, BlankNameIsAskedAgain) {
  write_reals("IN.DAT", [](int, int) { return 1.0f; });
  const gridkit::ToolRun run = gridkit::run_tool(run_tallowex, "   \n\nIN.DAT\n", dir_);
  ASSERT_EQ(run.status, 0) << run.error;
  const std::string retry = "File name missing or blank - please enter file name\nUNIT 10? \n";
  EXPECT_NE(run.output.find(retry + retry + "Stop"), std::string::npos) << run.output;
}

TEST_F(TallowTest, MissingBoundaryFileEndsTheRunWithoutAGrid) {
  write_reals("IN.DAT", [](int, int) { return 1.0f; });
  const gridkit::ToolRun run = gridkit::run_tool(run_tallowin, "IN.DAT\nNOSUCH.DAT\n", dir_);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.error, "open NOSUCH.DAT: no such file");
  EXPECT_FALSE(fs::exists(dir_ / "IN.DAT.GRD")) << "nothing was written to it";
  EXPECT_EQ(run.output.find("Stop"), std::string::npos);
}

TEST_F(TallowTest, ShortOrMalformedInputIsReportedWithItsLine) {
  {
    std::ofstream out(dir_ / "SHORT.DAT");
    for (int j = 1; j <= 400; ++j) out << "1.0\n";
  }
  gridkit::ToolRun run = gridkit::run_tool(run_tallowex, "SHORT.DAT\n", dir_);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.error, "read SHORT.DAT: end of file after line 400");

  write_reals("BAD.DAT", [](int i, int j) { return i == 2 && j == 1 ? 0.0f : 1.0f; });
  std::string text;
  {
    std::ifstream in(dir_ / "BAD.DAT");
    std::stringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
  }
  const std::size_t row2 = text.find("\n0 ") + 1;  // row 2 starts its own line
  text.replace(row2, 1, "O");
  std::ofstream(dir_ / "BAD.DAT") << text;
  run = gridkit::run_tool(run_tallowex, "BAD.DAT\n", dir_);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.error, "read BAD.DAT line 32: expected a number, found \"O\"");

  run = gridkit::run_tool(run_tallowex, "", dir_);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.error, "read console: end of input where an answer was expected");
}

}  // namespace
}  // namespace tallowin
