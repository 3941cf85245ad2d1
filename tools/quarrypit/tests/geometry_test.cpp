// The pieces of the curve tool on their own: the length formula, the band of
// an edge (bounded search against every node), the crossing lists and the
// nearest-node rule.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "gridkit/grid.hpp"
#include "tools/quarrypit/band.hpp"
#include "tools/quarrypit/crossings.hpp"
#include "tools/quarrypit/curve.hpp"
#include "tools/quarrypit/hypot.hpp"

namespace quarrypit {
namespace {

using gridkit::IntGrid;
using gridkit::node_x;
using gridkit::node_y;

TEST(HypotSingle, ExactCasesAndNoOverflow) {
  EXPECT_EQ(hypot_single(3.0f, 4.0f), 5.0f);
  EXPECT_EQ(hypot_single(-4.0f, 3.0f), 5.0f);
  EXPECT_EQ(hypot_single(0.0f, 0.0f), 0.0f);
  EXPECT_EQ(hypot_single(0.0f, -7.5f), 7.5f);
  EXPECT_EQ(hypot_single(-7.5f, 0.0f), 7.5f);
  // Squares of these overflow single precision; the scaled form does not.
  EXPECT_FLOAT_EQ(hypot_single(3.0e30f, 4.0e30f), 5.0e30f);
}

int count_marks(const IntGrid& grid) {
  int marks = 0;
  for (const int v : grid.values()) marks += v;
  return marks;
}

TEST(Band, StrictlyBelowHalfACell) {
  // A horizontal edge exactly 500 above the nodes of row 20: not marked;
  // 499.9 above: marked, but only where the perpendicular foot is inside.
  IntGrid exact;
  mark_band(exact, {node_x(10) + 20.0f, node_y(20) + 500.0f},
            {node_x(15) - 20.0f, node_y(20) + 500.0f});
  for (int j = 1; j <= gridkit::NCOL(); ++j) EXPECT_EQ(exact(20, j), 0) << j;

  IntGrid near;
  mark_band(near, {node_x(10) + 20.0f, node_y(20) + 499.875f},
            {node_x(15) - 20.0f, node_y(20) + 499.875f});
  EXPECT_EQ(near(20, 10), 0);  // foot at the end, distance to the end just over 500
  for (int j = 11; j <= 14; ++j) EXPECT_EQ(near(20, j), 1) << j;
  EXPECT_EQ(near(20, 15), 0);
  EXPECT_EQ(count_marks(near), 4);
}

TEST(Band, EndsCountBeyondTheEdge) {
  // Node (30, 50) lies 300 beyond the end of a vertical edge: marked by the
  // distance to that end although its foot is outside the edge.
  IntGrid grid;
  mark_band(grid, {node_x(50), node_y(30) + 300.0f}, {node_x(50), node_y(30) + 5300.0f});
  EXPECT_EQ(grid(30, 50), 1);
  EXPECT_EQ(grid(31, 50), 0);
}

// The bounded search must give exactly the marks of the search over every
// node, also for edges that leave the grid, run along node lines, or end a
// hair beyond the widened box.
TEST(Band, BoundedSearchGivesTheSameMarksAsEveryNode) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<float> x_in(250000.0f, 700000.0f);
  std::uniform_real_distribution<float> y_in(50000.0f, 600000.0f);
  std::uniform_real_distribution<float> short_step(-6000.0f, 6000.0f);
  std::uniform_int_distribution<int> col_in(1, gridkit::NCOL());
  std::uniform_int_distribution<int> row_in(1, gridkit::NROW());
  std::vector<std::pair<Vertex, Vertex>> edges;
  for (int k = 0; k < 40; ++k)
    edges.push_back({{x_in(random), y_in(random)}, {x_in(random), y_in(random)}});
  for (int k = 0; k < 80; ++k) {
    const Vertex a{x_in(random), y_in(random)};
    edges.push_back({a, {a.x + short_step(random), a.y + short_step(random)}});
  }
  for (int k = 0; k < 60; ++k) {
    // Ends on node lines and at (nearly) half a cell from them.
    const float offsets[] = {0.0f, 500.0f, -500.0f, 499.99f, 500.01f};
    const float ox = offsets[k % 5];
    const float oy = offsets[(k / 5) % 5];
    const int c = col_in(random);
    const int r = row_in(random);
    const Vertex a{node_x(c) + ox, node_y(r) + oy};
    const Vertex b = (k % 2 == 0) ? Vertex{a.x, a.y - 3000.0f} : Vertex{a.x + 4000.0f, a.y + oy};
    edges.push_back({a, b});
  }
  edges.push_back({{-1.0e9f, 300000.0f}, {1.0e9f, 300001.0f}});
  edges.push_back({{400000.0f, -1.0e12f}, {400001.0f, 1.0e12f}});
  edges.push_back({{1.0e7f, 1.0e7f}, {2.0e7f, 2.0e7f}});

  for (const auto& [a, b] : edges) {
    IntGrid bounded;
    IntGrid every;
    mark_band(bounded, a, b);
    mark_band_every_node(every, a, b);
    ASSERT_EQ(bounded.values(), every.values())
        << "edge (" << a.x << ", " << a.y << ") - (" << b.x << ", " << b.y << ")";
  }
}

TEST(Band, NonFiniteEndsFallBackToEveryNode) {
  const Vertex a{std::numeric_limits<float>::infinity(), 300000.0f};
  const Vertex b{400000.0f, 300000.0f};
  IntGrid bounded;
  IntGrid every;
  mark_band(bounded, a, b);
  mark_band_every_node(every, a, b);
  EXPECT_EQ(bounded.values(), every.values());
}

TEST(CrossingLists, FirstEmptyEntryAndOverflowDropped) {
  CrossingLists lists;
  for (int k = 0; k < 105; ++k) lists.add(7, 1000.0f + static_cast<float>(k));
  const auto row = lists.row(7);
  EXPECT_EQ(row[0], 1000.0f);
  EXPECT_EQ(row[99], 1099.0f);  // crossings 101 to 105 were dropped
  EXPECT_EQ(lists.row(8)[0], kEmptyCrossing);
}

// A row's room for crossings: 100 up to the built-in grid's 361 columns,
// then in proportion to the columns, always even; a full row still drops.
TEST(CrossingLists, RoomFollowsTheColumns) {
  // One case a row, laid out by hand.
  // clang-format off
  const struct { int columns; int room; const char* why; } cases[] = {
      {1,    100,  "one column keeps the old room"},
      {361,  100,  "built-in grid: as it always was"},
      {362,  102,  "one column past: the next even count"},
      {722,  200,  "twice the columns, twice the room"},
      {5000, 1386, "5000 columns: 2 x ceil(250000 / 361)"},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(crossings_per_row(c.columns), c.room) << c.why;
    const gridkit::GridScope scope(gridkit::ModelGrid{c.columns, 2, 1000.0f, 0.0f, 0.0f});
    CrossingLists lists;
    for (int k = 0; k < c.room + 3; ++k) lists.add(2, static_cast<float>(k));
    EXPECT_EQ(lists.count(2), c.room) << c.why;
    EXPECT_EQ(lists.row(2).size(), static_cast<std::size_t>(c.room)) << c.why;
  }
}

// A crossing west of X = 0 is a crossing like any other: it keeps its entry
// and pairs as usual; only entries never filled are empty.
TEST(CrossingLists, CrossingWestOfZeroCountsLikeAnyOther) {
  CrossingLists lists;
  lists.add(3, -5.0f);
  lists.add(3, node_x(4));
  lists.add(4, kEmptyCrossing);  // even the value that fills empty entries
  lists.add(4, node_x(2));
  lists.sort_rows();
  EXPECT_EQ(lists.count(3), 2);
  EXPECT_EQ(lists.row(3)[98], -5.0f);
  EXPECT_EQ(lists.row(3)[99], node_x(4));
  IntGrid icurve;
  lists.fill(icurve, 4);
  for (int j = 1; j <= gridkit::NCOL(); ++j) {
    EXPECT_EQ(icurve(3, j), j <= 4 ? 4 : 0) << "row 3 column " << j;
    EXPECT_EQ(icurve(4, j), j <= 2 ? 4 : 0) << "row 4 column " << j;
  }
}

TEST(CrossingLists, SortPutsEmptiesFirstAndFillPairsFromTheTop) {
  CrossingLists lists;
  // Odd number on row 1: the smallest crossing stays unpaired.
  lists.add(1, node_x(20) + 0.5f);
  lists.add(1, node_x(2));
  lists.add(1, node_x(10) - 0.5f);
  // Even number on row 2, ends exactly on nodes: both ends are inside.
  lists.add(2, node_x(8));
  lists.add(2, node_x(5));
  lists.sort_rows();
  EXPECT_EQ(lists.row(1)[96], kEmptyCrossing);
  EXPECT_EQ(lists.row(1)[97], node_x(2));
  EXPECT_EQ(lists.row(1)[99], node_x(20) + 0.5f);

  IntGrid icurve;
  lists.fill(icurve, 9);
  for (int j = 1; j <= gridkit::NCOL(); ++j) {
    EXPECT_EQ(icurve(1, j), (j >= 10 && j <= 20) ? 9 : 0) << "row 1 column " << j;
    EXPECT_EQ(icurve(2, j), (j >= 5 && j <= 8) ? 9 : 0) << "row 2 column " << j;
  }
}

TEST(NearestNode, HalvesRoundAwayFromZeroAndOutsideIsNone) {
  gridkit::Cell cell;
  ASSERT_TRUE(nearest_node({gridkit::XORIG() + 500.0f, gridkit::YORIG() - 1500.0f}, cell));
  EXPECT_EQ(cell, (gridkit::Cell{3, 2}));
  ASSERT_TRUE(nearest_node({gridkit::XORIG() + 499.0f, gridkit::YORIG() - 1499.0f}, cell));
  EXPECT_EQ(cell, (gridkit::Cell{2, 1}));
  // Half a cell west of column 1 rounds to column 0: outside.
  EXPECT_FALSE(nearest_node({gridkit::XORIG() - 500.0f, gridkit::YORIG()}, cell));
  EXPECT_TRUE(nearest_node({gridkit::XORIG() - 499.0f, gridkit::YORIG()}, cell));
  EXPECT_FALSE(nearest_node({node_x(361) + 500.0f, node_y(470)}, cell));
  EXPECT_FALSE(nearest_node({node_x(1), node_y(470) - 500.0f}, cell));
  EXPECT_FALSE(nearest_node({1.0e30f, 1.0e30f}, cell));
  EXPECT_FALSE(nearest_node({std::nanf(""), 300000.0f}, cell));
}

}  // namespace
}  // namespace quarrypit
