// The degrees-minutes-seconds split and the GEO.OUT line built from it.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tools/plover/dms.hpp"
#include "tools/plover/geo_line.hpp"

namespace {

using plover::geo_line;
using plover::split_dms;

TEST(SplitDms, TruncatesEachPart) {
  // One case a row, laid out by hand.
  // clang-format off
  const struct { const char* why; double angle, degrees, minutes, seconds, tolerance; } cases[] = {
      {"the origin's latitude: no rounding up to 44",     43.99999681, 43, 59,  59.988516, 1e-6},
      {"a negative angle carries the sign in every part", -1.5125,     -1, -30, -45,       1e-9},
  };
  // clang-format on
  for (const auto& c : cases) {
    const plover::Dms d = split_dms(c.angle);
    EXPECT_EQ(d.degrees, c.degrees) << c.why;
    EXPECT_EQ(d.minutes, c.minutes) << c.why;
    EXPECT_NEAR(d.seconds, c.seconds, c.tolerance) << c.why;
  }
}

// Seven fields of six columns, two blanks after each of the first six.
std::string fields(const std::array<const char*, 7>& f) {
  std::string line;
  for (std::size_t i = 0; i < f.size(); ++i) {
    line += std::string(6 - std::string(f[i]).size(), ' ') + f[i];
    if (i + 1 < f.size()) line += "  ";
  }
  return line;
}

struct LineCase {
  double lat, lon_west;
  float z;
  std::array<const char*, 7> fields;
  const char* why;
};

TEST(GeoLine, FieldsAndLayout) {
  // One case a row, laid out by hand.
  // clang-format off
  const LineCase cases[] = {
      {43.99999681, 86.0, 0.0F, {"43.00", "59.00", "59.99", "86.00", ".00", ".00", ".00"},
       "the origin; zero parts print without a leading zero"},
      {43.582412459903, 84.265818521916, 0.0F,
       {"43.00", "34.00", "56.68", "84.00", "15.00", "56.95", ".00"}, "X 500000, Y 300000"},
      {10.0 + 59.0 / 60.0 + 59.996 / 3600.0, 86.0, 12.5F,
       {"10.00", "59.00", "60.00", "86.00", ".00", ".00", "12.50"},
       "seconds of 59.996 print as 60.00 with no carry into the minutes"},
      {44.0, 86.0, 1234.5F, {"44.00", ".00", ".00", "86.00", ".00", ".00", "******"},
       "a Z too wide for six columns"},
      {44.0, 86.0, -0.5F, {"44.00", ".00", ".00", "86.00", ".00", ".00", "-.50"},
       "a negative Z below 1 in magnitude"},
      {44.0, 86.0, -100.0F, {"44.00", ".00", ".00", "86.00", ".00", ".00", "******"},
       "-100.00 needs seven columns"},
      {-0.5, -1.5125, 0.0F, {".00", "-30.00", ".00", "-1.00", "-30.00", "-45.00", ".00"},
       "negative angles: every part negative, a zero part without its sign"},
  };
  // clang-format on
  for (const LineCase& c : cases) {
    const std::string line = geo_line(gridkit::Geodetic{c.lat, c.lon_west}, c.z);
    EXPECT_EQ(line, fields(c.fields)) << c.why;
    EXPECT_EQ(line.size(), 54U) << c.why;
  }
}

}  // namespace
