// Whole runs of QUARRYPIT: dialogue, zone array and boundary band for the
// kit's standard curve cases (no vertex on a row line unless said).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "gridkit/tool_main.hpp"
#include "tests/support/other_grids.hpp"
#include "tools/quarrypit/quarrypit.hpp"
#include "tools/quarrypit/tests/run_helpers.hpp"

namespace quarrypit::testing {
namespace {

using Nodes = std::set<std::pair<int, int>>;

// The 4 x 4 square: nodes of columns 11-14, rows 59-62 inside.
const std::vector<std::pair<double, double>> kSquare = {
    {300100, 500100}, {304100, 500100}, {304100, 496100}, {300100, 496100}};

Nodes square_marks() {
  Nodes marks = block(58, 58, 11, 15);
  marks.merge(block(62, 62, 11, 15));
  marks.merge(block(59, 61, 11, 11));
  marks.merge(block(59, 61, 15, 15));
  return marks;
}

// The first line of row `row` of a zone file.
std::string first_line_of_row(const std::filesystem::path& file, int row) {
  return kit_test::read_lines(file).at(static_cast<std::size_t>((row - 1) * 15));
}

TEST(QuarrypitRun, SquareWithValueSeven) {
  const Result r = run_curves({{"SQUARE.XYZ", kSquare, 7}});
  ASSERT_EQ(r.run.status, 0) << r.run.error;
  EXPECT_EQ(nodes_with(r.zone, 7), block(59, 62, 11, 14));
  EXPECT_EQ(nodes_with(r.zone, 0).size(), 470u * 361u - 16u);
  EXPECT_EQ(nodes_with(r.edge, 1), square_marks());
  EXPECT_EQ(nodes_with(r.edge, 1).size(), 16u);
}

TEST(QuarrypitRun, DialogueAsShownOnTheConsole) {
  const Result r = run_curves({{"SQUARE.XYZ", kSquare, 7}});
  ASSERT_EQ(r.run.status, 0) << r.run.error;
  // Each record shows without its carriage-control blank.
  const std::string expected =
      " ****************************\n"
      " *         QUARRYPIT        *\n"
      " *  GROUNDWATER MODEL KIT   *\n"
      " *  GRID PREPARATION TOOLS  *\n"
      " ****************************\n"
      "\n"
      "VECTOR IS CORRECTOR, BUT RASTER IS FASTER!!\n"
      "\n"
      "ENTER THE CLOSED-CURVE CRSTM-XYZ INPUT FILENAME: \n"
      "ENTER THE FIRST 8 CHARACTERS OF THE OUTPUT FILENAME: \n"
      "ZONES.BOL\n"
      "VERTEX #          1\n"
      "VERTEX #          2\n"
      "VERTEX #          3\n"
      "VERTEX #          4\n"
      "ENTER THE BOOLEAN INTEGER FOR THE INTERIOR REGION:\n"
      "DO YOU WANT TO OPEN ANOTHER CLOSED-CURVE CRSTM-XYZ INPUT FILENAME (Y,y or N,n) \n"
      ": \n"
      "Stop - Program terminated.\n";
  EXPECT_EQ(r.run.output, expected);
}

TEST(QuarrypitRun, DirectionAndStartingVertexDoNotMatter) {
  const Result first = run_curves({{"A.XYZ", kSquare, 7}});
  std::vector<std::pair<double, double>> reversed(kSquare.rbegin(), kSquare.rend());
  std::vector<std::pair<double, double>> rotated = kSquare;
  std::rotate(rotated.begin(), rotated.begin() + 2, rotated.end());
  std::vector<std::pair<double, double>> reversed_rotated = reversed;
  std::rotate(reversed_rotated.begin(), reversed_rotated.begin() + 1, reversed_rotated.end());
  for (const auto& vertices : {reversed, rotated, reversed_rotated}) {
    const Result other = run_curves({{"B.XYZ", vertices, 7}});
    ASSERT_EQ(other.run.status, 0) << other.run.error;
    EXPECT_EQ(other.zone.values(), first.zone.values());
    EXPECT_EQ(other.edge.values(), first.edge.values());
  }
}

TEST(QuarrypitRun, IrregularCurveInAnyDirectionOrStart) {
  // A concave, odd-numbered curve: the fill must not depend on which slot
  // each vertex lands in.
  const std::vector<std::pair<double, double>> curve = {{350210.5, 400310.25},
                                                        {362870.75, 398720.5},
                                                        {356400.125, 391050.75},
                                                        {365990.5, 380220.5},
                                                        {349300.25, 383870.0}};
  const Result first = run_curves({{"A.XYZ", curve, 4}});
  ASSERT_EQ(first.run.status, 0) << first.run.error;
  EXPECT_GT(nodes_with(first.zone, 4).size(), 50u);
  for (std::size_t start = 0; start < curve.size(); ++start) {
    for (const bool reverse : {false, true}) {
      std::vector<std::pair<double, double>> vertices = curve;
      if (reverse) std::reverse(vertices.begin(), vertices.end());
      std::rotate(vertices.begin(), vertices.begin() + static_cast<long>(start), vertices.end());
      const Result other = run_curves({{"B.XYZ", vertices, 4}});
      EXPECT_EQ(other.zone.values(), first.zone.values()) << start << " " << reverse;
    }
  }
}

TEST(QuarrypitRun, ValueZeroAddsMarksOnly) {
  const std::vector<std::pair<double, double>> far_square = {
      {400100, 300100}, {404100, 300100}, {404100, 296100}, {400100, 296100}};
  const Result only = run_curves({{"SQUARE.XYZ", kSquare, 7}});
  const Result both = run_curves({{"SQUARE.XYZ", kSquare, 7}, {"FAR.XYZ", far_square, 0}});
  ASSERT_EQ(both.run.status, 0) << both.run.error;
  EXPECT_EQ(both.zone.values(), only.zone.values());
  EXPECT_EQ(nodes_with(both.edge, 1).size(), 32u);
  // Also where the value-0 curve covers the first one.
  const Result over = run_curves({{"SQUARE.XYZ", kSquare, 7}, {"SAME.XYZ", kSquare, 0}});
  EXPECT_EQ(over.zone.values(), only.zone.values());
}

TEST(QuarrypitRun, LaterCurveOverwritesOverlap) {
  const std::vector<std::pair<double, double>> shifted = {
      {302100, 498100}, {306100, 498100}, {306100, 494100}, {302100, 494100}};
  const Result r = run_curves({{"THREE.XYZ", kSquare, 3}, {"FIVE.XYZ", shifted, 5}});
  ASSERT_EQ(r.run.status, 0) << r.run.error;
  EXPECT_EQ(nodes_with(r.zone, 5), block(61, 64, 13, 16));
  Nodes threes = block(59, 62, 11, 14);
  for (const auto& node : block(61, 64, 13, 16)) threes.erase(node);
  EXPECT_EQ(nodes_with(r.zone, 3), threes);
}

TEST(QuarrypitRun, TwoVertexCurve) {
  // Off the node lines: no fill, but the band of the long edge.
  const Result r = run_curves({{"LINE.XYZ", {{300100, 500100}, {300100, 496100}}, 6}});
  ASSERT_EQ(r.run.status, 0) << r.run.error;
  EXPECT_TRUE(nodes_with(r.zone, 6).empty());
  EXPECT_EQ(nodes_with(r.edge, 1), block(58, 62, 11, 11));

  // Along a node column: each row gets the same crossing twice, and the
  // node on it counts as inside.
  const Result on = run_curves({{"ON.XYZ", {{300568, 499500}, {300568, 497500}}, 6}});
  ASSERT_EQ(on.run.status, 0) << on.run.error;
  EXPECT_EQ(nodes_with(on.zone, 6), block(59, 60, 11, 11));
}

TEST(QuarrypitRun, NodeExactlyOnAnEdgeIsInside) {
  // Left edge on the nodes of column 11, right edge on those of column 14.
  const Result r = run_curves(
      {{"EDGE.XYZ", {{300568, 500100}, {303568, 500100}, {303568, 496100}, {300568, 496100}}, 2}});
  ASSERT_EQ(r.run.status, 0) << r.run.error;
  EXPECT_EQ(nodes_with(r.zone, 2), block(59, 62, 11, 14));
}

// A curve reaching west of X = 0 fills its nodes as any other: its western
// crossings once took the place of "empty" entries and left the rows unfilled.
TEST(QuarrypitRun, CurveReachingWestOfZeroFillsItsNodes) {
  const Result r = run_curves(
      {{"WEST.XYZ", {{-50000, 500100}, {304100, 500100}, {304100, 496100}, {-50000, 496100}}, 7}});
  ASSERT_EQ(r.run.status, 0) << r.run.error;
  EXPECT_EQ(nodes_with(r.zone, 7), block(59, 62, 1, 14));
}

TEST(QuarrypitRun, VertexOutsideTheGridGetsNoMarkButItsEdgesCount) {
  // A triangle reaching 20 km west of the grid.
  const Result r =
      run_curves({{"WEST.XYZ", {{270568.5, 450100}, {295100, 452100}, {295100, 448100}}, 8}});
  ASSERT_EQ(r.run.status, 0) << r.run.error;
  EXPECT_EQ(r.zone(108, 1), 8);  // node (290568, 450128) lies inside
  EXPECT_EQ(r.zone(108, 5), 8);
  EXPECT_EQ(r.zone(108, 6), 0);
  // Bands of the edges to the outside vertex, where they pass column 1.
  EXPECT_EQ(r.edge(106, 1), 1);
  EXPECT_EQ(r.edge(107, 1), 0);
  EXPECT_EQ(r.edge(110, 1), 1);
}

TEST(QuarrypitRun, EmptyCurveFileIsReportedAndTheQuestionAsked) {
  const Result r = run_curves({{"EMPTY.XYZ", {}, 0}, {"SQUARE.XYZ", kSquare, 7}});
  ASSERT_EQ(r.run.status, 0) << r.run.error;
  EXPECT_NE(r.run.output.find("NO VERTEX IN EMPTY.XYZ\nDO YOU WANT"), std::string::npos);
  EXPECT_EQ(nodes_with(r.zone, 7), block(59, 62, 11, 14));
  EXPECT_EQ(nodes_with(r.edge, 1), square_marks());
}

TEST(QuarrypitRun, AnyAnswerButNMeansAnotherCurve) {
  const kit_test::ScratchFolder folder;
  write_curves(folder, {{"SQUARE.XYZ", kSquare, 7}});
  // An empty answer asks for another file; a blank name is asked again;
  // a lower-case n ends the run.
  const gridkit::ToolRun run = gridkit::run_tool(
      run_quarrypit, "SQUARE.XYZ\nZONES\n7\n\n   \nSQUARE.XYZ\n9\nno\n", folder.path());
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_NE(run.output.find("File name missing or blank - please enter file name"),
            std::string::npos);
  std::string expected;
  for (int j = 1; j <= 25; ++j) expected += (j >= 11 && j <= 14) ? "  9" : "  0";
  EXPECT_EQ(first_line_of_row(folder / "ZONES.BOL", 59), expected);
}

TEST(QuarrypitRun, ZoneValuesThatDoNotFitShowAsAsterisks) {
  const kit_test::ScratchFolder folder;
  write_curves(folder, {{"SQUARE.XYZ", kSquare, 1000}});
  const gridkit::ToolRun run =
      gridkit::run_tool(run_quarrypit, "SQUARE.XYZ\nZONES\n1000\nN\n", folder.path());
  ASSERT_EQ(run.status, 0) << run.error;
  std::string expected;
  for (int j = 1; j <= 25; ++j) expected += (j >= 11 && j <= 14) ? "***" : "  0";
  EXPECT_EQ(first_line_of_row(folder / "ZONES.BOL", 60), expected);
}

TEST(QuarrypitRun, BadCurveLineIsReportedWithItsLine) {
  const kit_test::ScratchFolder folder;
  folder.write("BAD.XYZ", "300100 500100 0\n304100 five 0\n");
  const gridkit::ToolRun run = gridkit::run_tool(run_quarrypit, "BAD.XYZ\nZONES\n", folder.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("BAD.XYZ line 2"), std::string::npos) << run.error;
}

// On any grid, a rectangle with no vertex on a row line fills exactly the
// nodes inside it, and both arrays have the grid's rows and columns.
TEST(QuarrypitRun, RectangleFillsItsNodesOnAnyGrid) {
  for (const kit_test::OtherGrid& g : kit_test::other_grids()) {
    const gridkit::GridScope scope(g.grid);
    const double cell = g.grid.cell_size;
    const double x1 = gridkit::node_x_double(1) - 0.4 * cell + (g.grid.columns - 1) * cell * 0.25;
    const double x2 = gridkit::node_x_double(1) + 0.3 * cell + (g.grid.columns - 1) * cell * 0.8;
    const double y1 = gridkit::node_y_double(1) + 0.4 * cell - (g.grid.rows - 1) * cell * 0.25;
    const double y2 = gridkit::node_y_double(1) - 0.3 * cell - (g.grid.rows - 1) * cell * 0.8;
    Nodes inside;
    for (int i = 1; i <= gridkit::NROW(); ++i)
      for (int j = 1; j <= gridkit::NCOL(); ++j) {
        const double x = gridkit::node_x_double(j), y = gridkit::node_y_double(i);
        if (x1 <= x && x <= x2 && y2 <= y && y <= y1) inside.insert({i, j});
      }
    ASSERT_FALSE(inside.empty()) << g.name;
    const Result r = run_curves({{"RECT.XYZ", {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, 4}});
    ASSERT_EQ(r.run.status, 0) << g.name << ": " << r.run.error;
    EXPECT_EQ(r.zone.rows(), g.grid.rows) << g.name;
    EXPECT_EQ(r.zone.cols(), g.grid.columns) << g.name;
    EXPECT_EQ(nodes_with(r.zone, 4), inside) << g.name;
    EXPECT_EQ(nodes_with(r.zone, 0).size(), r.zone.values().size() - inside.size()) << g.name;
  }
}

}  // namespace
}  // namespace quarrypit::testing
