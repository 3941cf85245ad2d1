// BRISKET and its earlier build: points snapped to nodes and relaxed inside
// IBOUND, the two outputs, the sweep count, and bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tests/support/other_grids.hpp"
#include "tools/brisket/brisket.hpp"
#include "tools/brisket/relax.hpp"
#include "tools/brisket/seeding.hpp"
#include "tools/brisket/tests/tool_files.hpp"

namespace brisket {
namespace {

using namespace brisket::testing;

// The dialogue's answers for BRISKET: IBOUND, points, base name, sweeps, limit.
std::string brisket_answers(const std::string& max_sweeps, const std::string& limit) {
  return answers({"IBOUND.ARR", "PTS.XYZ", "OUT", max_sweeps, limit});
}

TEST(Snapping, HalfACellOutsideTheFirstColumnRoundsAwayFromZero) {
  EXPECT_EQ(snap_point(290068.1f, gridkit::YORIG())->col, 1);  // just under half a cell west
  EXPECT_EQ(snap_point(290068.0f, gridkit::YORIG())->col, 0);  // exactly half: column 0, skipped
  EXPECT_EQ(snap_point(290568.0f + 499.9f, gridkit::YORIG())->col, 1);
  EXPECT_EQ(snap_point(290568.0f + 500.0f, gridkit::YORIG())->col, 2);
  EXPECT_EQ(snap_point(gridkit::XORIG(), gridkit::YORIG() + 499.0f)->row, 1);
  EXPECT_EQ(snap_point(gridkit::XORIG(), gridkit::YORIG() + 500.0f)->row, 0);
  EXPECT_EQ(snap_point(gridkit::XORIG(), 88128.0f)->row, NROW());
  EXPECT_FALSE(snap_point(3.0e38f, 0.0f).has_value());  // too far off for any integer
}

TEST(Brisket, ShowsTheDialogueAndReportsTheSweeps) {
  const ScratchFolder folder;
  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
  write_text(folder / "PTS.XYZ", "400568 400128 50.0\n");
  const gridkit::ToolRun run = run_in(folder, run_brisket, brisket_answers("100", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output,
            " ****************************\n"
            " *         BRISKET          *\n"
            " *  GROUNDWATER MODEL KIT   *\n"
            " *  GRID PREPARATION TOOLS  *\n"
            " ****************************\n"
            "ENTER THE NAME OF THE IBOUND INPUT FILE: \n"
            "ENTER THE NAME OF THE CRSTM X,Y,Z INPUT DATA FILE\n"
            "ENTER THE FIRST 8 CHARACTERS OF THE OUTPUT FILENAME: \n"
            "OUT.BSK\n"
            "OUT.GRD\n"
            "ENTER MAXIMUM ITERATIONS:   \n"
            "ENTER CONVERGENCE:  \n"
            "ITERATIONS COMPLETED         101\n"  // 100 typed, one sweep more
            "Stop - Program terminated.\n");
  EXPECT_EQ(line_of(folder / "OUT.GRD", 1), "DSAA");
  EXPECT_EQ(line_of(folder / "OUT.GRD", 2), "         361         470");
  EXPECT_EQ(line_of(folder / "OUT.GRD", 3), "   290568.000000   650568.000000");
  EXPECT_EQ(line_of(folder / "OUT.GRD", 4), "    88128.000000   557128.000000");
  EXPECT_EQ(zrange_line(folder / "OUT.GRD"), "        1.000000       50.000000");
}

TEST(Brisket, SinglePointRisesFromTheEdgeToThePoint) {
  const ScratchFolder folder;
  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
  write_text(folder / "PTS.XYZ", "470568.0 322128.0 50.0\n");  // column 181, row 236
  const gridkit::ToolRun run = run_in(folder, run_brisket, brisket_answers("400", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  const RealGrid z = read_fixed_grid(folder / "OUT.BSK");
  EXPECT_EQ(z(236, 181), 50.0f);
  EXPECT_EQ(z(1, 181), 1.0f);
  EXPECT_EQ(z(236, NCOL()), 1.0f);
  // Falling away from the point along its row and its column.
  for (int j = 182; j < NCOL(); ++j) EXPECT_LE(z(236, j), z(236, j - 1)) << j;
  for (int i = 2; i < 236; ++i) EXPECT_LE(z(i - 1, 181), z(i, 181)) << i;
  EXPECT_GT(z(236, 182), 3.0f);
  EXPECT_LT(z(236, 182), 50.0f);
}

// On any grid the point lands on its node of that grid, and both outputs
// have the grid's rows and columns.
TEST(Brisket, RunsOnAnyGrid) {
  for (const kit_test::OtherGrid& g : kit_test::other_grids()) {
    const ScratchFolder folder;
    const kit_test::OnGrid on_grid(folder, g.grid);
    const int row = (NROW() + 1) / 2;
    const int col = (NCOL() + 1) / 2;
    write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
    char point[80];
    std::snprintf(point, sizeof point, "%.3f %.3f 50.0\n",
                  gridkit::node_x_double(col) + 0.2 * g.grid.cell_size,
                  gridkit::node_y_double(row) - 0.2 * g.grid.cell_size);
    write_text(folder / "PTS.XYZ", point);
    const gridkit::ToolRun run = run_in(folder, run_brisket, brisket_answers("50", "0.0"));
    ASSERT_EQ(run.status, 0) << g.name << ": " << run.error;
    EXPECT_EQ(read_fixed_grid(folder / "OUT.BSK")(row, col), 50.0f) << g.name;
    EXPECT_EQ(kit_test::read_lines(folder / "OUT.BSK").size(),
              static_cast<std::size_t>(NROW()) * static_cast<std::size_t>((NCOL() + 9) / 10))
        << g.name;
    char size_line[40];
    std::snprintf(size_line, sizeof size_line, " %11d %11d", NCOL(), NROW());
    EXPECT_EQ(line_of(folder / "OUT.GRD", 2), size_line) << g.name;
  }
}

TEST(Brisket, PointsOnTheEdgeOnADeadCellAndOnTheSameNode) {
  const ScratchFolder folder;
  IntGrid codes(NROW(), NCOL(), 1);
  for (int j = 1; j <= NCOL(); ++j) codes(1, j) = 0;
  codes(100, 100) = 0;
  write_int_grid(folder / "IBOUND.ARR", codes);
  write_text(folder / "PTS.XYZ",
             "290068.1 557128.0 77.0\n"      // column 1 of row 1, a dead cell: becomes fixed
             "290068.0 557128.0 -5.0\n"      // column 0: skipped, but counts toward ZMIN
             "389568 458128 400.0\n"         // node (100,100), dead: fixed at the point's value
             "300568 500128 500.0\n"         // node (58,11) ...
             "300568,500128,12.5 ignored\n"  // ... replaced by the later point; both count
             "1.0e30 0 1.0\n");              // far outside the grid
  const gridkit::ToolRun run = run_in(folder, run_brisket, brisket_answers("3", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  const RealGrid z = read_fixed_grid(folder / "OUT.BSK");
  EXPECT_EQ(z(1, 1), 77.0f);
  EXPECT_EQ(z(1, 2), 0.0f);  // dead
  EXPECT_EQ(z(100, 100), 400.0f);
  EXPECT_EQ(z(58, 11), 12.5f);
  EXPECT_EQ(zrange_line(folder / "OUT.GRD"), "       -5.000000      500.000000");
}

TEST(Brisket, MaximumOfZeroOrLessStillSweepsOnce) {
  const ScratchFolder folder;
  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
  write_text(folder / "PTS.XYZ", "400568 400128 50.0\n");
  for (const char* max : {"0", "-7"}) {
    const gridkit::ToolRun run = run_in(folder, run_brisket, brisket_answers(max, "-1.0"));
    ASSERT_EQ(run.status, 0) << run.error;
    EXPECT_EQ(completed_line(run), "ITERATIONS COMPLETED           1") << max;
    EXPECT_EQ(run.notes.substr(0, run.notes.find(';')),
              "BRISKET: stopped by the sweep limit after 1 sweep")
        << max;
  }
}

TEST(Brisket, LimitEqualToTheLargestChangeStopsAfterThatSweep) {
  const ScratchFolder folder;
  IntGrid codes(NROW(), NCOL(), 1);
  write_int_grid(folder / "IBOUND.ARR", codes);
  write_text(folder / "PTS.XYZ", "400568 400128 50.0\n");
  // The same start by hand: the largest change of the fourth sweep.
  RealGrid z(NROW(), NCOL(), 1.0f);
  z(158, 111) = 50.0f;
  codes(158, 111) = -1;
  float fourth = 0.0f;
  for (int k = 0; k < 4; ++k) fourth = plain_sweep(z, codes, SweepCover::Interior);
  char limit[32];
  std::snprintf(limit, sizeof limit, "%.9g", static_cast<double>(fourth));
  const gridkit::ToolRun run = run_in(folder, run_brisket, brisket_answers("1000", limit));
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(completed_line(run), "ITERATIONS COMPLETED           4");
  EXPECT_EQ(run.notes,
            "BRISKET: stopped by the convergence limit after 4 sweeps; largest change of "
            "the last sweep " +
                std::string(limit) + "\n");
}

TEST(Brisket, EmptyPointFileRelaxesTowardTheStartValue) {
  const ScratchFolder folder;
  IntGrid codes(NROW(), NCOL(), 1);
  codes(5, 5) = -1;  // constant head, reached by no point: keeps 1.0
  write_int_grid(folder / "IBOUND.ARR", codes);
  write_text(folder / "PTS.XYZ", "");
  const gridkit::ToolRun run = run_in(folder, run_brisket, brisket_answers("10", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(completed_line(run), "ITERATIONS COMPLETED           1");  // nothing changes
  // ZMIN and ZMAX start from 0.0; every node is 1.0.
  EXPECT_EQ(zrange_line(folder / "OUT.GRD"), "    0.000000E+00        1.000000");
}

TEST(BrisketEarly, StartsFrom1000AndSweepsTheOutermostNodesToo) {
  const ScratchFolder folder;
  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
  write_text(folder / "PTS.XYZ", "290568 557128 10.0\n");  // node (1,1)
  const gridkit::ToolRun run = run_in(folder, run_brisket_early, brisket_answers("0", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  const RealGrid z = read_fixed_grid(folder / "OUT.BSK");
  EXPECT_EQ(z(1, 1), 10.0f);
  // (1,2): east 1000, south 1000, west 10, north outside the grid: its old 1000.
  EXPECT_EQ(z(1, 2), 752.5f);
  EXPECT_EQ(z(NROW(), NCOL()), 1000.0f);
  EXPECT_EQ(zrange_line(folder / "OUT.GRD"), "       10.000000     1000.000000");
}

TEST(Brisket, ShortIboundAndBadPointLinesAreReportedWithFileAndLine) {
  const ScratchFolder folder;
  write_text(folder / "PTS.XYZ", "400568 400128 50.0\n");
  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
  std::string ibound = read_text(folder / "IBOUND.ARR");
  ibound.resize(ibound.size() / 2);  // ends in the middle of the grid
  write_text(folder / "IBOUND.ARR", ibound);
  gridkit::ToolRun run = run_in(folder, run_brisket, brisket_answers("10", "0.0"));
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("IBOUND.ARR"), std::string::npos) << run.error;
  EXPECT_NE(run.error.find("line 3525"), std::string::npos) << run.error;

  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
  write_text(folder / "PTS.XYZ", "400568 400128 50.0\n400568 WELL7 50.0\n");
  run = run_in(folder, run_brisket, brisket_answers("10", "0.0"));
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("PTS.XYZ line 2"), std::string::npos) << run.error;
  EXPECT_NE(run.error.find("WELL7"), std::string::npos) << run.error;
}

}  // namespace
}  // namespace brisket
