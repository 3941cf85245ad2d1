// The degree split in the precision each report keeps: a minutes product
// just below a whole minute stays below it in double precision and rounds up
// to it in single precision.
#include <gtest/gtest.h>

#include "gridkit/degrees.hpp"

namespace gridkit {
namespace {

TEST(SplitDegrees, SinglePrecisionMinutesMayReachTheNextMinute) {
  struct Case {
    double angle;
    double degrees;
    double double_minutes, double_seconds;  // the seconds to 1e-6
    float float_minutes, float_seconds;
  };
  const Case cases[] = {
      {10.5 - 1e-9, 10.0, 29.0, 59.999996, 30.0f, 0.0f},
      {-(10.5 - 1e-9), -10.0, -29.0, -59.999996, -30.0f, 0.0f},
      {43.25, 43.0, 15.0, 0.0, 15.0f, 0.0f},
  };
  for (const Case& c : cases) {
    const DegreesMinutesSeconds<double> d = split_degrees<double>(c.angle);
    const DegreesMinutesSeconds<float> f = split_degrees<float>(c.angle);
    EXPECT_EQ(d.degrees, c.degrees) << c.angle;
    EXPECT_EQ(f.degrees, c.degrees) << c.angle;
    EXPECT_EQ(d.minutes, c.double_minutes) << c.angle;
    EXPECT_NEAR(d.seconds, c.double_seconds, 1e-6) << c.angle;
    EXPECT_EQ(f.minutes, c.float_minutes) << c.angle;
    EXPECT_EQ(f.seconds, c.float_seconds) << c.angle;
  }
}

}  // namespace
}  // namespace gridkit
