// The CRSTM projection against its published reference values. Each value
// below is given to the digit the kit prints it; the tolerance is half a unit
// of that digit, tight enough to catch a constant taken in full double
// precision (pi or the semi-major axis) instead of its single-precision value.
#include "gridkit/projection.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using gridkit::crstm_to_geodetic;
using gridkit::geodetic_to_crstm;

TEST(ProjectionForward, OriginGivesFalseEastingAndNorthingExactly) {
  const gridkit::ForwardResult r = geodetic_to_crstm(44.0, 86.0);
  // A = 0 and M - M0 = 0 at the origin, so nothing but the false coordinates
  // remains.
  EXPECT_EQ(r.x, 359987.0);
  EXPECT_EQ(r.y, 344917.0);
  EXPECT_EQ(r.a, 0.0);
  EXPECT_NEAR(r.ep2, 0.0068147871, 0.5e-10);
  EXPECT_NEAR(r.n, 6388648.395, 0.5e-3);
  EXPECT_NEAR(r.t, 0.93255489, 0.5e-8);
  EXPECT_NEAR(r.c, 0.0035263097, 0.5e-10);
}

struct ForwardCase {
  double lat, lon_west;
  double x, y, tolerance;
  const char* why;
};

TEST(ProjectionForward, ReferencePoints) {
  const ForwardCase cases[] = {
      // With the full double pi, X would be 420622.0704.
      {43.5, 85.25, 420622.07086, 289659.30820, 0.5e-5, "east of the central meridian"},
      {43.5, 85.25, 420622.07, 289659.31, 0.5e-2, "as the edge-case list prints it"},
  };
  for (const ForwardCase& c : cases) {
    const gridkit::ForwardResult r = geodetic_to_crstm(c.lat, c.lon_west);
    EXPECT_NEAR(r.x, c.x, c.tolerance) << c.why;
    EXPECT_NEAR(r.y, c.y, c.tolerance) << c.why;
  }
}

TEST(ProjectionForward, WestPositiveLongitudeMirrorsAboutCentralMeridian) {
  // 1 degree west of 86 W lies as far west of the origin as 1 degree east lies
  // east of it; a sign fault in the longitude would put both on one side.
  const gridkit::ForwardResult west = geodetic_to_crstm(44.0, 87.0);
  const gridkit::ForwardResult east = geodetic_to_crstm(44.0, 85.0);
  EXPECT_LT(west.x, 359987.0);
  EXPECT_GT(east.x, 359987.0);
  EXPECT_NEAR(west.x - 359987.0, -(east.x - 359987.0), 1e-6);
  EXPECT_NEAR(west.y, east.y, 1e-6);
}

struct InverseCase {
  double x, y;
  double lat, lon_west, tolerance;
  const char* why;
};

TEST(ProjectionInverse, ReferencePoints) {
  const InverseCase cases[] = {
      // The inverse series does not return the origin latitude exactly.
      {359987.0, 344917.0, 43.99999681, 86.0, 0.5e-8, "origin"},
      // With the full double pi, LAT would be 43.58241367.
      {500000.0, 300000.0, 43.58241246, 84.26581852, 0.5e-8, "north-east of the origin"},
      {420622.0708590897, 289659.3082024473, 43.49999685, 85.25000004, 0.5e-8,
       "the forward result of 43.5, 85.25"},
  };
  for (const InverseCase& c : cases) {
    const gridkit::Geodetic g = crstm_to_geodetic(c.x, c.y);
    EXPECT_NEAR(g.lat, c.lat, c.tolerance) << c.why;
    EXPECT_NEAR(g.lon_west, c.lon_west, c.tolerance) << c.why;
  }
}

TEST(ProjectionInverse, OriginLongitudeIsExactlyTheCentralMeridian) {
  EXPECT_EQ(crstm_to_geodetic(359987.0, 344917.0).lon_west, 86.0);
}

TEST(ProjectionRoundTrip, LatitudeComesBackSlightlyLowOverTheModelArea) {
  // The forward and inverse series are not exact inverses: a round trip
  // returns the latitude about 0.0000032 degrees low and the longitude almost
  // unchanged, everywhere over the grid. A mismatched constant between the
  // two directions would show as a much larger or position-dependent shift.
  for (double x = 290568.0; x <= 650568.0; x += 60000.0) {
    for (double y = 88128.0; y <= 557128.0; y += 67000.0) {
      const gridkit::Geodetic g = crstm_to_geodetic(x, y);
      const gridkit::ForwardResult f = geodetic_to_crstm(g.lat, g.lon_west);
      const gridkit::Geodetic back = crstm_to_geodetic(f.x, f.y);
      const double lat_shift = back.lat - g.lat;
      EXPECT_LT(lat_shift, -0.0000025) << x << " " << y;
      EXPECT_GT(lat_shift, -0.0000040) << x << " " << y;
      EXPECT_NEAR(back.lon_west, g.lon_west, 0.000001) << x << " " << y;
    }
  }
}

}  // namespace
