#include "tools/quarrypit/band.hpp"

#include <algorithm>
#include <cmath>

#include "tools/quarrypit/hypot.hpp"

namespace quarrypit {

using gridkit::DELC;
using gridkit::DELR;
using gridkit::NCOL;
using gridkit::NROW;

bool in_band(Vertex a, Vertex b, float xn, float yn) {
  // Distance to the nearer end.
  float d = hypot_single(xn - a.x, yn - a.y);
  const float d_to_b = hypot_single(xn - b.x, yn - b.y);
  if (d_to_b < d) d = d_to_b;

  // Foot of the perpendicular: S along the edge, one rounding per operation.
  const float ux = b.x - a.x;
  const float uy = b.y - a.y;
  const float along_y = (yn - a.y) * uy;
  const float along_x = (xn - a.x) * ux;
  const float length = hypot_single(ux, uy);
  const float s = (along_y + along_x) / (length * length);
  const float foot_x = a.x + s * ux;
  const float foot_y = a.y + s * uy;
  const float tt = (ux != 0.0f) ? (foot_x - a.x) / ux : (foot_y - a.y) / uy;
  if (tt > 0.0f && tt < 1.0f) {
    d = hypot_single((xn - a.x) - s * ux, (yn - a.y) - s * uy);
  }
  return d < DELR() / 2.0f;
}

namespace {

struct IndexRange {
  int first;
  int last;
};

// Node indices k (counted from 1) whose offset (k - 1) lies in [lo, hi]
// cells, widened by one node each way and kept within 1..count.
IndexRange widened_range(double lo, double hi, int count) {
  const double first = std::clamp(std::floor(lo), 0.0, count + 1.0);
  const double last = std::clamp(std::ceil(hi) + 2.0, 0.0, count + 1.0);
  return {std::max(1, static_cast<int>(first)), std::min(count, static_cast<int>(last))};
}

void mark_nodes(gridkit::IntGrid& iedge, Vertex a, Vertex b, IndexRange rows, IndexRange cols) {
  for (int i = rows.first; i <= rows.last; ++i) {
    const float yn = gridkit::node_y(i);
    for (int j = cols.first; j <= cols.last; ++j) {
      if (in_band(a, b, gridkit::node_x(j), yn)) iedge(i, j) = 1;
    }
  }
}

}  // namespace

void mark_band(gridkit::IntGrid& iedge, Vertex a, Vertex b) {
  if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) {
    // No box to speak of: take every node, as the plain form does.
    mark_band_every_node(iedge, a, b);
    return;
  }
  const double half = DELR() / 2.0;
  const double min_x = std::min<double>(a.x, b.x) - half;
  const double max_x = std::max<double>(a.x, b.x) + half;
  const double min_y = std::min<double>(a.y, b.y) - half;
  const double max_y = std::max<double>(a.y, b.y) + half;
  // Column j has its node at XORIG() + (j-1)*DELR(); row i at YORIG() - (i-1)*DELC().
  const IndexRange cols = widened_range((min_x - gridkit::XORIG()) / DELR(),
                                        (max_x - gridkit::XORIG()) / DELR(), NCOL());
  const IndexRange rows = widened_range((gridkit::YORIG() - max_y) / DELC(),
                                        (gridkit::YORIG() - min_y) / DELC(), NROW());
  mark_nodes(iedge, a, b, rows, cols);
}

void mark_band_every_node(gridkit::IntGrid& iedge, Vertex a, Vertex b) {
  mark_nodes(iedge, a, b, {1, NROW()}, {1, NCOL()});
}

}  // namespace quarrypit
