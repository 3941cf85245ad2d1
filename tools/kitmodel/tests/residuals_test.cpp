// Residuals at wells: the nearest-node rule and a small case worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "gridkit/error.hpp"
#include "tests/support/scratch_folder.hpp"
#include "tools/kitmodel/readback_commands.hpp"
#include "tools/kitmodel/residuals.hpp"
#include "tools/kitmodel/tests/head_files.hpp"

namespace {

TEST(Residuals, NearestNodeRoundsHalvesAwayFromNode1) {
  struct Case {
    float x, y;
    int row, col;  // 0: off the grid
    const char* reason;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const Case cases[] = {
      {290568.0f, 557128.0f, 1, 1, "the node of row 1, column 1"},
      {291068.0f, 556628.0f, 2, 2, "half a cell east and south rounds away from node 1"},
      {290069.0f, 557128.0f, 1, 1, "just under half a cell west stays in column 1"},
      {290068.0f, 557128.0f, 0, 0, "half a cell west is column 0, off the grid"},
      {650568.0f, 88128.0f, 470, 361, "the last node"},
      {651068.0f, 88128.0f, 0, 0, "half a cell east of the last column"},
      {nan, 557128.0f, 0, 0, "not a number"},
      {1.0e30f, 557128.0f, 0, 0, "far beyond any integer"},
  };
  for (const Case& c : cases) {
    const auto node = kitmodel::nearest_node({c.x, c.y, 0.0f});
    if (c.row == 0) {
      EXPECT_FALSE(node) << c.reason;
    } else {
      ASSERT_TRUE(node) << c.reason;
      EXPECT_EQ(*node, (gridkit::Cell{c.row, c.col})) << c.reason;
    }
  }
}

// Heads of the model grid: none (1E+30) except at four cells, one of them dry.
std::vector<double> sparse_heads() {
  std::vector<double> values(static_cast<std::size_t>(gridkit::NCOL()) * gridkit::NROW(), 1.0e30);
  const auto set = [&](int row, int col, double v) {
    values[static_cast<std::size_t>(row - 1) * gridkit::NCOL() +
           static_cast<std::size_t>(col - 1)] = v;
  };
  set(1, 1, 102.0);
  set(2, 3, 109.0);
  set(10, 10, 125.0);
  set(5, 5, -888.0);
  return values;
}

// Worked by hand: residuals +2, -0.5 and +5 at three wells; mean 6.5 / 3 =
// 2.1667, RMSE sqrt(29.25 / 3) = 3.1225, observed range 100 to 120, so
// 15.61 % of it. One
// well is off the grid, one at a dry node, one at an inactive node.
constexpr const char* kWells =
    "290568 557128 100\n"    // node (1, 1): 102
    "292568 556128 109.5\n"  // node (2, 3): 109
    "300067 547629 120\n"    // 9.499 cells from node 1 each way: node (10, 10), 125
    "294568 553128 300\n"    // node (5, 5): dry
    "289968 557128 0\n"      // 0.6 cells west of column 1
    "292568 555128 50\n";    // node (3, 3): inactive

TEST(Residuals, SummarizesAHandWorkedCase) {
  kit_test::ScratchFolder folder;
  const kitmodel_test::Record record{1, 1, 1.0, 1, sparse_heads()};
  const auto bytes = kitmodel_test::head_file(kitmodel::HeadForm::Stream44, gridkit::NCOL(),
                                              gridkit::NROW(), {record});
  std::ofstream(folder / "run.hds", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  folder.write("WELLS.XYZ", kWells);

  std::ostringstream out;
  const std::vector<std::string> args = {"run.hds", "WELLS.XYZ", "--csv", "res.csv"};
  kitmodel::residuals_command(args, out, folder.path());
  for (const char* line : {
           "WELLS.XYZ: 6 points against the heads of run.hds, layer 1, stress period 1, time step "
           "1",
           "points compared: 3 (1 off the grid, 2 at inactive or dry nodes)",
           "mean residual (simulated - observed): 2.17",
           "RMSE: 3.12",
           "largest residual: 5.00 at X 300067.0, Y 547629.0 (row 10, column 10), observed 120.00, "
           "simulated 125.00",
           "RMSE as a percentage of the observed range (100.00 to 120.00): 15.61 %",
       })
    EXPECT_NE(out.str().find(line), std::string::npos) << line << "\nin:\n" << out.str();

  const std::vector<std::string> csv = folder.lines("res.csv");
  const std::vector<std::string> expected = {
      "x,y,observed,row,column,simulated,residual,status",
      "290568.00,557128.00,100.000,1,1,102.000,2.000,used",
      "292568.00,556128.00,109.500,2,3,109.000,-0.500,used",
      "300067.00,547629.00,120.000,10,10,125.000,5.000,used",
      "294568.00,553128.00,300.000,5,5,,,no head",
      "289968.00,557128.00,0.000,,,,,off grid",
      "292568.00,555128.00,50.000,3,3,,,no head",
  };
  EXPECT_EQ(csv, expected);
}

TEST(Residuals, RefusesARunWithNothingToCompare) {
  kit_test::ScratchFolder folder;
  const kitmodel_test::Record record{1, 1, 1.0, 1, sparse_heads()};
  const auto bytes = kitmodel_test::head_file(kitmodel::HeadForm::Stream52, gridkit::NCOL(),
                                              gridkit::NROW(), {record});
  std::ofstream(folder / "run.hds", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  folder.write("FAR.XYZ", "0 0 1\n");
  folder.write("WELLS.XYZ", kWells);
  struct Case {
    std::vector<std::string> args;
    std::string expected;
    const char* reason;
  };
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {{"run.hds", "FAR.XYZ"}, "no point of FAR.XYZ lies at a node with a head",
       "every point off the grid"},
      {{"run.hds", "WELLS.XYZ", "--layer", "2"}, "holds no heads of layer 2",
       "a layer not in the file"},
      {{"run.hds", "WELLS.XYZ", "--csv", "WELLS.XYZ"},
       "the output WELLS.XYZ would replace the input", "the well file named as the table"},
  };
  // clang-format on
  for (const Case& c : cases) {
    std::ostringstream out;
    try {
      kitmodel::residuals_command(c.args, out, folder.path());
      ADD_FAILURE() << c.reason << ": no error";
    } catch (const gridkit::KitError& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos)
          << c.reason << ": " << e.what();
    }
  }
  EXPECT_EQ(folder.read("WELLS.XYZ"), kWells);
}

}  // namespace
