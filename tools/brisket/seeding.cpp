#include "tools/brisket/seeding.hpp"

#include "gridkit/points.hpp"

namespace brisket {

using gridkit::DELC;
using gridkit::DELR;

namespace {
// Node range of the grid, single precision, as the snapping uses it.
constexpr float XMIN = gridkit::XORIG;
constexpr float YMAX = gridkit::YORIG;
// Beyond this many cells a point is far outside the grid; the bound keeps the
// conversion to an integer defined.
constexpr float kFarOff = 1.0e6f;
}  // namespace

std::optional<int> snap_index(float t) {
  const float rounded = t >= 0.0f ? t + 0.5f : t - 0.5f;
  if (!(rounded > -kFarOff && rounded < kFarOff)) return std::nullopt;
  return static_cast<int>(rounded) + 1;  // the integer part, toward zero
}

std::optional<gridkit::Cell> snap_point(float x, float y) {
  const std::optional<int> col = snap_index((x - XMIN) / DELR);
  const std::optional<int> row = snap_index((YMAX - y) / DELC);
  if (!col || !row) return std::nullopt;
  return gridkit::Cell{*row, *col};
}

long place_points(gridkit::InFile& points, gridkit::RealGrid& z, gridkit::IntGrid& codes, Extremes& extremes) {
  long count = 0;
  while (const std::optional<gridkit::PointF> p = gridkit::read_point_single(points)) {
    ++count;
    if (count == 1) {
      extremes.zmin = p->z;
      extremes.zmax = p->z;
    } else {
      if (p->z < extremes.zmin) extremes.zmin = p->z;
      if (p->z > extremes.zmax) extremes.zmax = p->z;
    }
    const std::optional<gridkit::Cell> cell = snap_point(p->x, p->y);
    if (!cell || !gridkit::inside_grid(cell->row, cell->col)) continue;
    z(cell->row, cell->col) = p->z;
    codes(cell->row, cell->col) = -1;
  }
  return count;
}

}  // namespace brisket
