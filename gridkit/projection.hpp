// The CRSTM transverse Mercator projection of the Clarke 1866 ellipsoid, both
// directions. Longitude is counted positive to the WEST at this interface.
#pragma once

namespace gridkit {

struct Geodetic {
  double lat;       // decimal degrees, north positive
  double lon_west;  // decimal degrees, west positive
};

// Grid to geodetic (inverse projection).
Geodetic PLOVER(double x, double y);

// Geodetic to grid (forward projection), with the intermediate quantities
// that AVOCET prints.
struct ForwardResult {
  double ep2;  // second eccentricity squared
  double n;    // radius of curvature in the prime vertical at the latitude
  double t;    // tan^2 of the latitude
  double c;    // e'^2 cos^2 of the latitude
  double a;    // longitude difference times cos of the latitude, radians
  double x;
  double y;
};
ForwardResult AVOCET(double lat, double lon_west);

}  // namespace gridkit
