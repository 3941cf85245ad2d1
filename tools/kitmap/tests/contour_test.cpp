// Marching squares: each case of one square, the saddle rule, cells left
// out, and the joining of pieces into lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/kitmap/contour.hpp"

namespace {

using kitmap::Field;
using kitmap::Point;

Field field(int rows, int cols, std::vector<double> values, std::vector<std::uint8_t> valid = {}) {
  Field f{rows, cols, std::move(values), std::move(valid)};
  if (f.valid.empty()) f.valid.assign(f.value.size(), 1);
  return f;
}

bool same(Point a, Point b) { return std::fabs(a.x - b.x) < 1e-12 && std::fabs(a.y - b.y) < 1e-12; }

struct Case {
  const char* what;
  std::vector<double> corners;  // top-left, top-right, bottom-left, bottom-right (row order)
  std::vector<std::uint8_t> valid;
  double level;
  std::vector<std::pair<Point, Point>> expected;  // in any order, either direction
};

TEST(MarchingSquares, OneSquareEveryKindOfCase) {
  // One case a row, laid out by hand.
  // clang-format off
  const std::vector<Case> cases = {
      {"all below", {0, 0, 0, 0}, {}, 0.5, {}},
      {"all above", {1, 1, 1, 1}, {}, 0.5, {}},
      {"bottom-left corner", {0, 0, 1, 0}, {}, 0.5, {{{0, 0.5}, {0.5, 1}}}},
      {"bottom-right corner", {1, 1, 1, 0}, {}, 0.5, {{{0.5, 1}, {1, 0.5}}}},
      {"top half above", {1, 1, 0, 0}, {}, 0.5, {{{0, 0.5}, {1, 0.5}}}},
      {"interpolated along the edges", {0, 4, 0, 4}, {}, 1.0, {{{0.25, 0}, {0.25, 1}}}},
      {"a corner at the level counts as above", {0.5, 0, 0, 0}, {}, 0.5, {{{0, 0}, {0, 0}}}},
      {"saddle, centre above: the high corners joined", {0, 1, 1, 0}, {}, 0.5,
       {{{0.5, 0}, {0, 0.5}}, {{0.5, 1}, {1, 0.5}}}},
      {"saddle, centre below: the low corners joined", {0, 1, 1, 0}, {}, 0.6,
       {{{0.6, 0}, {1, 0.4}}, {{0, 0.6}, {0.4, 1}}}},
      {"other saddle, centre below", {1, 0, 0, 1}, {}, 0.6,
       {{{0.4, 0}, {0, 0.4}}, {{0.6, 1}, {1, 0.6}}}},
      {"a node outside the valid area", {0, 0, 1, 0}, {1, 1, 0, 1}, 0.5, {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto segments = kitmap::contour_segments(field(2, 2, c.corners, c.valid), c.level);
    ASSERT_EQ(segments.size(), c.expected.size());
    for (const auto& [p, q] : c.expected) {
      const bool found = std::any_of(segments.begin(), segments.end(), [&](const auto& s) {
        return (same(s.a, p) && same(s.b, q)) || (same(s.a, q) && same(s.b, p));
      });
      EXPECT_TRUE(found) << "(" << p.x << "," << p.y << ")-(" << q.x << "," << q.y << ")";
    }
  }
}

TEST(MarchingSquares, PiecesJoinIntoOpenAndClosedLines) {
  // A peak in the middle of 3 x 3 nodes: one closed ring of four pieces.
  const auto ring = kitmap::join_segments(
      kitmap::contour_segments(field(3, 3, {0, 0, 0, 0, 1, 0, 0, 0, 0}), 0.5));
  ASSERT_EQ(ring.size(), 1u);
  EXPECT_EQ(ring[0].size(), 5u);
  EXPECT_TRUE(same(ring[0].front(), ring[0].back()));

  // A step across 2 x 4 nodes: one open line through three squares, and a
  // hole in the valid area splitting it in two.
  const std::vector<double> step{1, 1, 1, 1, 0, 0, 0, 0};
  const auto line = kitmap::join_segments(kitmap::contour_segments(field(2, 4, step), 0.5));
  ASSERT_EQ(line.size(), 1u);
  ASSERT_EQ(line[0].size(), 4u);
  EXPECT_DOUBLE_EQ(std::fabs(line[0].front().x - line[0].back().x), 3.0);
  const auto split = kitmap::join_segments(
      kitmap::contour_segments(field(2, 4, step, {1, 1, 0, 1, 1, 1, 1, 1}), 0.5));
  EXPECT_EQ(split.size(), 1u);  // only the last square is whole
  EXPECT_EQ(split[0].size(), 2u);
}

}  // namespace
