// Seeding the grid: snapping scattered points to nodes, and the running
// extremes the text grid's header reports.
#pragma once

#include <optional>

#include "gridkit/extremes.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace brisket {

using Extremes = gridkit::Extremes<float>;  // of the grid values

// The cell a CRSTM point snaps to, computed in single precision by adding
// half a cell and cutting toward zero; it may lie outside the grid.
std::optional<gridkit::Cell> snap_point(float x, float y);

// Reads every point of the file in order. Each point counts toward the
// extremes (the first sets both); one inside the grid sets its node's value
// and makes it a fixed node, whatever its code was. Returns the number read.
long place_points(gridkit::InFile& points, gridkit::RealGrid& z, gridkit::IntGrid& codes, Extremes& extremes);

}  // namespace brisket
