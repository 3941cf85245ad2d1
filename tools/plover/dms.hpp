// Degrees, minutes and seconds of a decimal angle, as GEO.OUT lists them.
#pragma once

namespace plover {

// Whole degrees and whole minutes are held as reals so that they print with
// two zero decimals; the seconds keep their fraction.
struct Dms {
  double degrees;
  double minutes;
  double seconds;
};

// Splits by truncation toward zero with no rounding and no carry: a seconds
// value of 59.996 stays below the next minute and only prints as 60.00. For a
// negative angle all three parts carry the sign.
Dms split_dms(double angle);

}  // namespace plover
