// One line of GEO.OUT: latitude and west longitude in degrees, minutes and
// seconds, then the point's Z; seven fields of 6 columns with 2 decimals, two
// blanks after each of the first six (54 columns in all). A value too wide for
// its field shows as six asterisks.
#pragma once

#include <string>

#include "gridkit/projection.hpp"

namespace plover {

inline constexpr int kGeoFieldWidth = 6;
inline constexpr int kGeoDecimals = 2;
inline constexpr int kGeoLineLength = 54;

std::string geo_line(const gridkit::Geodetic& position, float z);

}  // namespace plover
