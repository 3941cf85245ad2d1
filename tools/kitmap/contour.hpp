// Contour lines by marching squares over a field of node values.
//
// Each square of four neighbouring nodes is cut where the level falls
// between two corners (a corner at or above the level counts as above), at
// the linearly interpolated point of the edge. A square with two diagonal
// corners above and two below (a saddle) joins the two above through its
// centre when the mean of its corners is at or above the level. Squares with
// a node outside the field's valid area are left out, so lines end at the
// edge of the valid area.
#pragma once

#include <cstdint>
#include <vector>

namespace kitmap {

// Node values, rows 0..rows-1 from the top, columns 0..cols-1 from the left.
struct Field {
  int rows = 0;
  int cols = 0;
  std::vector<double> value;
  std::vector<std::uint8_t> valid;  // 1 where the node takes part
  double at(int r, int c) const { return value[static_cast<std::size_t>(r) * cols + c]; }
  bool ok(int r, int c) const { return valid[static_cast<std::size_t>(r) * cols + c] != 0; }
};

// A position in node units: x along columns, y along rows (0 = first node).
struct Point {
  double x = 0;
  double y = 0;
};

// One piece of contour line inside one square; `edge_a` and `edge_b` name
// the grid edges its ends lie on (shared with the neighbouring square).
struct Segment {
  Point a, b;
  long edge_a = 0;
  long edge_b = 0;
};

std::vector<Segment> contour_segments(const Field& field, double level);

// Segments joined end to end through their shared edges into lines; a line
// whose ends meet is closed (its first point repeated at its end).
std::vector<std::vector<Point>> join_segments(const std::vector<Segment>& segments);

}  // namespace kitmap
