// Boundary band of a curve edge: every node closer than DELR()/2 to the edge
// (to its nearer end, or to the edge itself where the foot of the node's
// perpendicular falls strictly between the ends) is marked 1 in IEDGE.
#pragma once

#include "gridkit/grid.hpp"

namespace quarrypit {

struct Vertex {
  float x = 0.0f;
  float y = 0.0f;
};

// Whether the node at (xn, yn) lies within the band of the edge from a to b.
bool in_band(Vertex a, Vertex b, float xn, float yn);

// Marks the band of edge a-b, examining only the nodes of the edge's
// bounding box widened by DELR()/2 (and one node more on every side, so that
// rounding at the box border can never lose a mark).
void mark_band(gridkit::IntGrid& iedge, Vertex a, Vertex b);

// The same marks, examining every node of the grid: the plain form that the
// bounded one is checked against.
void mark_band_every_node(gridkit::IntGrid& iedge, Vertex a, Vertex b);

}  // namespace quarrypit
