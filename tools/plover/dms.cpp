#include "tools/plover/dms.hpp"

#include <cmath>

namespace plover {

Dms split_dms(double angle) {
  const double degrees = std::trunc(angle);
  const double minutes_exact = (angle - degrees) * 60.0;
  const double minutes = std::trunc(minutes_exact);
  const double seconds = (minutes_exact - minutes) * 60.0;
  return Dms{degrees, minutes, seconds};
}

}  // namespace plover
