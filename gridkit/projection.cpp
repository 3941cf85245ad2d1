// CRSTM: the transverse Mercator projection of the Clarke 1866 ellipsoid
// centred on 44 N, 86 W, with false easting 359987 m and northing 344917 m.
//
// Both directions are closed-form transverse Mercator power series in the
// longitude difference (forward) and the easting (inverse). The forward direction
// measures the meridian arc with the degree-based Clarke 1866 formula; the
// inverse recovers the footpoint latitude through the general e^2 series. The
// two are not exact inverses (the origin comes back 0.0000032 degrees low in
// latitude) and no correction step is applied: the kit's stored results were
// made this way.
//
// Every constant is held in single precision and enters the double-precision
// arithmetic as the double value of that single, pi included. The results are
// compared to the last printed digit, so the constants and the order of the
// steps below are part of the behaviour: one statement per step, no
// refactoring into cleverer expressions.
#include "gridkit/projection.hpp"

#include <cmath>

namespace gridkit {
namespace {

// The single-precision constants, widened to double where they are used.
constexpr float kPiSingle = 3.14159265F;  // 3.1415927410125732 as a double
constexpr float kK0Single = 0.9996F;      // scale factor on the central meridian
constexpr float kASingle = 6378206.4F;    // Clarke 1866 semi-major axis, m (6378206.5)
constexpr float kE2Single = 0.00676866F;  // Clarke 1866 first eccentricity squared
constexpr float kLam0Single = -86.0F;     // central meridian, degrees east
constexpr float kPhi0Single = 44.0F;      // latitude of origin, degrees
constexpr float kFESingle = 359987.0F;    // false easting, m
constexpr float kFNSingle = 344917.0F;    // false northing, m
// Clarke 1866 meridian distance: metres per degree, then the sin 2phi, sin 4phi
// and sin 6phi terms in metres.
constexpr float kM1Single = 111132.0894F;
constexpr float kM2Single = 16216.94F;
constexpr float kM3Single = 17.21F;
constexpr float kM4Single = 0.02F;

// The arithmetic is in double precision on the single-precision constants
// widened, one line for each constant above.
constexpr double kPi = kPiSingle;
constexpr double kK0 = kK0Single;
constexpr double kA = kASingle;
constexpr double kE2 = kE2Single;
constexpr double kLam0 = kLam0Single;
constexpr double kPhi0 = kPhi0Single;
constexpr double kFE = kFESingle;
constexpr double kFN = kFNSingle;
constexpr double kM1 = kM1Single;
constexpr double kM2 = kM2Single;
constexpr double kM3 = kM3Single;
constexpr double kM4 = kM4Single;

// Meridian distance in metres from the equator to a latitude given in degrees.
double meridian_distance(double phi_deg) {
  const double phi = phi_deg * kPi / 180.0;
  return kM1 * phi_deg - kM2 * std::sin(2.0 * phi) + kM3 * std::sin(4.0 * phi) -
         kM4 * std::sin(6.0 * phi);
}

}  // namespace

ForwardResult geodetic_to_crstm(double lat, double lon_west) {
  ForwardResult r{};
  // 1. East-positive longitude in degrees; latitude in radians.
  const double lam_deg = -lon_west;
  const double phi = lat * kPi / 180.0;
  // 2. Second eccentricity squared.
  r.ep2 = kE2 / (1.0 - kE2);
  // 3. Radius of curvature in the prime vertical.
  const double sin_phi = std::sin(phi);
  const double sin2_phi = sin_phi * sin_phi;
  r.n = kA / std::sqrt(1.0 - kE2 * sin2_phi);
  // 4. Square of the tangent of the latitude.
  const double tan_phi = std::tan(phi);
  r.t = tan_phi * tan_phi;
  // 5. Second eccentricity squared times the square of the cosine of the latitude.
  const double cos_phi = std::cos(phi);
  const double cos2_phi = cos_phi * cos_phi;
  r.c = r.ep2 * cos2_phi;
  // 6. The longitude difference is formed in degrees, then converted.
  r.a = cos_phi * (lam_deg - kLam0) * kPi / 180.0;
  // 7. Meridian distances of the point and of the origin.
  const double m = meridian_distance(lat);
  const double m0 = meridian_distance(kPhi0);
  // 8. Powers of A, then the easting from the central meridian.
  const double t = r.t;
  const double c = r.c;
  const double a = r.a;
  const double a2 = a * a;
  const double a3 = a2 * a;
  const double a4 = a3 * a;
  const double a5 = a4 * a;
  const double a6 = a5 * a;
  const double x = kK0 * r.n *
                   (a + (1.0 - t + c) * a3 / 6.0 +
                    (5.0 - 18.0 * t + t * t + 72.0 * c - 58.0 * r.ep2) * a5 / 120.0);
  // 9. Northing from the latitude of origin.
  const double y = kK0 * (m - m0 +
                          r.n * tan_phi *
                              (a2 / 2.0 + (5.0 - t + 9.0 * c + 4.0 * c * c) * a4 / 24.0 +
                               (61.0 - 58.0 * t + t * t + 600.0 * c - 330.0 * r.ep2) * a6 / 720.0));
  // 10. False easting and northing.
  r.x = x + kFE;
  r.y = y + kFN;
  return r;
}

Geodetic crstm_to_geodetic(double x_grid, double y_grid) {
  // 1. Offsets from the origin.
  const double x = x_grid - kFE;
  const double y = y_grid - kFN;
  // 2. Meridian distance of the origin; second eccentricity squared.
  const double m0 = meridian_distance(kPhi0);
  const double ep2 = kE2 / (1.0 - kE2);
  // 3. Meridian distance of the footpoint.
  const double m = m0 + y / kK0;
  // 4. The series parameter e1 of the footpoint latitude, from the first
  // eccentricity.
  const double e1 = (1.0 - std::sqrt(1.0 - kE2)) / (1.0 + std::sqrt(1.0 - kE2));
  // 5. Rectifying latitude.
  const double e4 = kE2 * kE2;
  const double e6 = e4 * kE2;
  const double mu = m / (kA * (1.0 - kE2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0));
  // 6. Footpoint latitude, radians.
  const double e1_2 = e1 * e1;
  const double e1_3 = e1_2 * e1;
  const double e1_4 = e1_3 * e1;
  const double phi1 = mu + (3.0 * e1 / 2.0 - 27.0 * e1_3 / 32.0) * std::sin(2.0 * mu) +
                      (21.0 * e1_2 / 16.0 - 55.0 * e1_4 / 32.0) * std::sin(4.0 * mu) +
                      (151.0 * e1_3 / 96.0) * std::sin(6.0 * mu);
  // 7. Quantities at the footpoint: its radii of curvature in the prime
  // vertical (N1) and in the meridian (R1), T1 and C1 as in the forward
  // direction, and the easting scaled by N1 and the scale factor (D) with its
  // powers.
  const double sin_phi1 = std::sin(phi1);
  const double cos_phi1 = std::cos(phi1);
  const double tan_phi1 = std::tan(phi1);
  const double sin2_phi1 = sin_phi1 * sin_phi1;
  const double w = 1.0 - kE2 * sin2_phi1;
  const double n1 = kA / std::sqrt(w);
  const double t1 = tan_phi1 * tan_phi1;
  const double c1 = ep2 * (cos_phi1 * cos_phi1);
  const double r1 = kA * (1.0 - kE2) / std::pow(w, 1.5);
  const double d = x / (n1 * kK0);
  const double d2 = d * d;
  const double d3 = d2 * d;
  const double d4 = d3 * d;
  const double d5 = d4 * d;
  const double d6 = d5 * d;
  // 8. Latitude, degrees.
  const double lat =
      (phi1 - (n1 * tan_phi1 / r1) *
                  (d2 / 2.0 - (5.0 + 3.0 * t1 + 10.0 * c1 - 4.0 * c1 * c1 - 9.0 * ep2) * d4 / 24.0 +
                   (61.0 + 90.0 * t1 + 298.0 * c1 + 45.0 * t1 * t1 - 252.0 * ep2 - 3.0 * c1 * c1) *
                       d6 / 720.0)) *
      180.0 / kPi;
  // 9. East-positive longitude, degrees.
  const double lam_deg =
      kLam0 +
      (d - (1.0 + 2.0 * t1 + c1) * d3 / 6.0 +
       (5.0 - 2.0 * c1 + 28.0 * t1 - 3.0 * c1 * c1 + 8.0 * ep2 + 24.0 * t1 * t1) * d5 / 120.0) /
          cos_phi1 * 180.0 / kPi;
  // 10. West positive at the interface.
  return Geodetic{lat, -lam_deg};
}

}  // namespace gridkit
