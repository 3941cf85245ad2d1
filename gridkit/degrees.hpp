// Degrees, minutes and seconds of a decimal angle.
//
// Each part is cut toward zero, with no rounding and no carry: seconds of
// 59.996 stay below the next minute. For a negative angle every part carries
// the sign. The whole degrees and the minutes product are taken in double
// precision; `Real` is the precision the minutes product is held in from
// there on. GEO.OUT keeps it in double precision; PROBLEM.SEG rounds it to
// single precision before the seconds are taken from it, so a minutes
// product just below a whole minute there can round up to it.
#pragma once

#include <cmath>

namespace gridkit {

template <class Real>
struct DegreesMinutesSeconds {
  double degrees;  // whole degrees
  Real minutes;    // whole minutes
  Real seconds;    // with their fraction
};

template <class Real>
DegreesMinutesSeconds<Real> split_degrees(double angle) {
  const double degrees = std::trunc(angle);
  const Real minutes_product = static_cast<Real>((angle - degrees) * 60.0);
  const Real minutes = std::trunc(minutes_product);
  const Real seconds = (minutes_product - minutes) * Real{60};
  return {degrees, minutes, seconds};
}

}  // namespace gridkit
