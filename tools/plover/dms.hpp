// Degrees, minutes and seconds of a decimal angle, as GEO.OUT lists them:
// the split of gridkit/degrees.hpp held in double precision throughout.
#pragma once

#include "gridkit/degrees.hpp"

namespace plover {

// Whole degrees and whole minutes are reals so that they print with two zero
// decimals; the seconds keep their fraction.
using Dms = gridkit::DegreesMinutesSeconds<double>;

inline Dms split_dms(double angle) { return gridkit::split_degrees<double>(angle); }

}  // namespace plover
