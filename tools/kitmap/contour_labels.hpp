// Contour lines and their labels drawn on a map sheet.
#pragma once

#include "gridkit/grid.hpp"
#include "tools/kitmap/canvas.hpp"
#include "tools/kitmap/palette.hpp"

namespace kitmap {

// Lines at every inner band limit over the cells where IBOUND is not 0 and
// the node is not blanked, each long line labelled with its level along its
// course.
void draw_contours(Canvas& canvas, const gridkit::RealGrid& values, const gridkit::IntGrid& ibound,
                   const Bands& bands);

}  // namespace kitmap
