// The grid in a model's length units: the kit's grid is laid out in CRSTM
// metres, while a model may work in feet.
#pragma once

#include "tools/kitmodel/model_file.hpp"

namespace kitmodel {

inline constexpr double kMetresPerFoot = 0.3048;  // the international foot

// Metres to model length units.
inline double model_length(double metres, LengthUnits units) {
  return units == LengthUnits::Feet ? metres / kMetresPerFoot : metres;
}

// CRSTM position of the grid's lower-left corner: half a cell west of
// column 1's nodes and half a cell south of row NROW()'s.
inline constexpr double kGridWestEdge = 290068.0;
inline constexpr double kGridSouthEdge = 87628.0;

}  // namespace kitmodel
