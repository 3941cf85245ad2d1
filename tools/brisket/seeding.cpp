#include "tools/brisket/seeding.hpp"

#include <string>

#include "gridkit/error.hpp"
#include "gridkit/node_snapping.hpp"
#include "gridkit/notes.hpp"
#include "gridkit/points.hpp"

namespace brisket {

using gridkit::DELC;
using gridkit::DELR;

std::optional<gridkit::Cell> snap_point(float x, float y) {
  const std::optional<int> col =
      gridkit::node_index_by_adding_half((x - gridkit::XORIG()) / DELR());
  const std::optional<int> row =
      gridkit::node_index_by_adding_half((gridkit::YORIG() - y) / DELC());
  if (!col || !row) return std::nullopt;
  return gridkit::Cell{*row, *col};
}

Placed place_points(gridkit::InFile& points, gridkit::RealGrid& z, gridkit::IntGrid& codes,
                    Extremes& extremes) {
  Placed placed;
  while (const std::optional<gridkit::PointF> p = gridkit::read_point_single(points)) {
    ++placed.read;
    if (placed.read == 1) {
      extremes = Extremes::starting_at(p->z);
    } else {
      extremes.include(p->z);
    }
    const std::optional<gridkit::Cell> cell = snap_point(p->x, p->y);
    if (!cell || !gridkit::inside_grid(cell->row, cell->col)) {
      ++placed.outside;
      continue;
    }
    z(cell->row, cell->col) = p->z;
    codes(cell->row, cell->col) = -1;
  }
  const std::string count = std::to_string(placed.read) + (placed.read == 1 ? " point" : " points");
  if (placed.read > 0 && placed.outside == placed.read) {
    const auto whole = [](float v) { return std::to_string(static_cast<long>(v)); };
    throw gridkit::KitError::read_file(
        points.name(),
        "no point lies inside the model grid (" + count + " read; its nodes lie at X " +
            whole(gridkit::node_x(1)) + " to " + whole(gridkit::node_x(gridkit::NCOL())) + ", Y " +
            whole(gridkit::node_y(gridkit::NROW())) + " to " + whole(gridkit::node_y(1)) + ")");
  }
  if (placed.outside > 0) {
    gridkit::note(points.name() + ": " + std::to_string(placed.outside) + " of " + count +
                  " lie outside the model grid and were skipped");
  }
  return placed;
}

}  // namespace brisket
