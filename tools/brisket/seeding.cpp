#include "tools/brisket/seeding.hpp"

#include "gridkit/node_snapping.hpp"
#include "gridkit/points.hpp"

namespace brisket {

using gridkit::DELC;
using gridkit::DELR;

namespace {
// X of the westernmost and Y of the northernmost node, in single precision.
constexpr float kWestNodeX = gridkit::XORIG;
constexpr float kNorthNodeY = gridkit::YORIG;
}  // namespace

std::optional<gridkit::Cell> snap_point(float x, float y) {
  const std::optional<int> col = gridkit::node_index_by_adding_half((x - kWestNodeX) / DELR);
  const std::optional<int> row = gridkit::node_index_by_adding_half((kNorthNodeY - y) / DELC);
  if (!col || !row) return std::nullopt;
  return gridkit::Cell{*row, *col};
}

long place_points(gridkit::InFile& points, gridkit::RealGrid& z, gridkit::IntGrid& codes, Extremes& extremes) {
  long count = 0;
  while (const std::optional<gridkit::PointF> p = gridkit::read_point_single(points)) {
    ++count;
    if (count == 1) {
      extremes = Extremes::starting_at(p->z);
    } else {
      extremes.include(p->z);
    }
    const std::optional<gridkit::Cell> cell = snap_point(p->x, p->y);
    if (!cell || !gridkit::inside_grid(cell->row, cell->col)) continue;
    z(cell->row, cell->col) = p->z;
    codes(cell->row, cell->col) = -1;
  }
  return count;
}

}  // namespace brisket
