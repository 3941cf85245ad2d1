#include "tools/plover/geo_line.hpp"

#include <array>

#include "gridkit/numfmt.hpp"
#include "tools/plover/dms.hpp"

namespace plover {

std::string geo_line(const gridkit::Geodetic& position, float z) {
  const Dms lat = split_dms(position.lat);
  const Dms lon = split_dms(position.lon_west);
  // The angle parts are doubles; Z is a single-precision value.
  const std::array<double, 6> angles{lat.degrees, lat.minutes, lat.seconds,
                                     lon.degrees, lon.minutes, lon.seconds};
  std::string line;
  line.reserve(kGeoLineLength);
  for (const double part : angles) {
    line += gridkit::format_fixed(part, kGeoFieldWidth, kGeoDecimals, gridkit::kDoubleDigits);
    line += "  ";
  }
  line += gridkit::format_fixed(z, kGeoFieldWidth, kGeoDecimals, gridkit::kSingleDigits);
  return line;
}

}  // namespace plover
