// One closed curve at a time: its vertices, the crossings of its edges with
// the row node lines, and the boundary marks of its vertices and long edges.
//
// Vertices alternate between two slots, A and B: odd-numbered vertices land
// in A, even-numbered ones in B, and each edge is taken as B minus A with A
// as its base point. A vertex lying exactly on a row line is counted once or
// twice on that row by the vertex-on-row rule, which looks at the Y of the
// neighbouring vertices through YPREV and YNEXT. Those two registers keep
// their values from one curve to the next, as the rule has always done.
#pragma once

#include "gridkit/grid.hpp"
#include "tools/quarrypit/band.hpp"
#include "tools/quarrypit/crossings.hpp"

namespace quarrypit {

class CurveTracer {
 public:
  explicit CurveTracer(gridkit::IntGrid& iedge) : iedge_(iedge) {}

  // A new curve: no vertices, every crossing entry empty, slot A current.
  void start_curve();
  // One vertex read from the curve file: marks its nearest node, and from
  // the second vertex on takes the edge from the previous one.
  void add_vertex(Vertex v);
  // The implied closing edge, the first vertex's row rule and the sort of
  // the crossing lists. Needs at least one vertex.
  void close_curve();

  int vertex_count() const { return nvert_; }
  const CrossingLists& crossings() const { return crossings_; }

 private:
  void take_edge(Vertex base, Vertex other_end, float dx, float dy);
  void cross_rows(float dx, float dy);
  void mark_nearest_node(Vertex v);

  gridkit::IntGrid& iedge_;     // IEDGE: 1 at nodes on or next to a curve of the run
  CrossingLists crossings_;     // XCROSS: each row's crossings of the current curve
  int nvert_ = 0;               // NVERT: vertices read so far of the current curve
  bool slot_a_current_ = true;  // the slot the next vertex lands in
  Vertex slot_a_;               // base point of every edge
  Vertex slot_b_;               // the edge's other end (edge = B - A)
  Vertex first_vertex_;         // X0, Y0: the closing edge's end
  float second_y_ = 0.0f;       // Y2: Y of the second vertex, for the first-vertex rule
  float yprev_ = 0.0f;          // YPREV: kept across curves
  float ynext_ = 0.0f;          // YNEXT: kept across curves
};

// The nearest node of a point: column NINT((X-XORIG())/DELR())+1, row
// NINT((YORIG()-Y)/DELC())+1, halves rounded away from zero. Returns false when
// that node lies outside the grid (or the point is not finite).
bool nearest_node(Vertex v, gridkit::Cell& cell);

}  // namespace quarrypit
