// The CRSTM transverse Mercator projection of the Clarke 1866 ellipsoid, both
// directions. Longitude is counted positive to the WEST at this interface.
#pragma once

namespace gridkit {

struct Geodetic {
  double lat;       // decimal degrees, north positive
  double lon_west;  // decimal degrees, west positive
};

// CRSTM grid X and Y in metres to geodetic (inverse projection).
Geodetic crstm_to_geodetic(double x, double y);

// Geodetic to CRSTM grid X and Y in metres (forward projection), with the
// intermediate quantities that AVOCET prints.
struct ForwardResult {
  double ep2;  // second eccentricity squared
  double n;    // radius of curvature in the prime vertical at the latitude
  double t;    // tan^2 of the latitude
  double c;    // e'^2 cos^2 of the latitude
  double a;    // longitude difference times cos of the latitude, radians
  double x;
  double y;
};
ForwardResult geodetic_to_crstm(double lat, double lon_west);

}  // namespace gridkit
