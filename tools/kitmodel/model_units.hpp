// The grid in a model's length units: the kit's grid is laid out in CRSTM
// metres, while a model may work in feet.
#pragma once

#include "gridkit/grid.hpp"
#include "tools/kitmodel/model_file.hpp"

namespace kitmodel {

inline constexpr double kMetresPerFoot = 0.3048;  // the international foot

// Metres to model length units.
inline double model_length(double metres, LengthUnits units) {
  return units == LengthUnits::Feet ? metres / kMetresPerFoot : metres;
}

// CRSTM position of the model grid's lower-left corner: half a cell west of
// column 1's nodes and half a cell south of the last row's.
inline double grid_west_edge() {
  return gridkit::node_x_double(1) - static_cast<double>(gridkit::DELR()) / 2.0;
}
inline double grid_south_edge() {
  return gridkit::node_y_double(gridkit::NROW()) - static_cast<double>(gridkit::DELC()) / 2.0;
}

}  // namespace kitmodel
