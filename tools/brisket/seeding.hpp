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

struct Placed {
  long read = 0;     // points in the file
  long outside = 0;  // of them, snapped to no node of the grid
};

// Reads every point of the file in order. Each point counts toward the
// extremes (the first sets both); one inside the grid sets its node's value
// and makes it a fixed node, whatever its code was.
//
// A file whose points all miss the grid would leave a grid of start values
// that looks like a result, so it is an error naming the file; when only some
// miss, one note gives their count. An empty file is taken as no points.
Placed place_points(gridkit::InFile& points, gridkit::RealGrid& z, gridkit::IntGrid& codes,
                    Extremes& extremes);

}  // namespace brisket
