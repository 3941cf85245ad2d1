// The digitizer-to-CRSTM transformation: constants, the once-rounded parts
// of the rotation, and the worked points of the map sheet.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "tools/lanterns/sheet_placement.hpp"

namespace lanterns {
namespace {

TEST(SheetPlacement, RotationConstants) {
  const std::complex<float> rot = rotation();
  EXPECT_NEAR(rot.real(), 0.99992537, 5e-9);
  EXPECT_NEAR(rot.imag(), 0.01221729, 5e-9);
  EXPECT_NEAR(kRotationDegrees * kDegreesToRadians * kAngleFactor, 0.01221759, 5e-9);
}

struct Case {
  float x, y;              // digitizer point
  float crstm_x, crstm_y;  // single-precision result
  const char* why;
};

TEST(SheetPlacement, WorkedPoints) {
  const Case cases[] = {
      // Rounding each product of the rotation on its own gives Y 335270.65625.
      {10.0f, 20.0f, 400658.4375f, 335270.625f, "rotation parts rounded once"},
      {0.0f, 0.0f, 276771.09375f, 79738.0f, "the origin: shift only"},
      // The shift follows the rotation, so the shifted-away point does not
      // land on the false origin.
      {1.047f, 0.7f, 289958.40625f, 88789.7890625f, "shift after rotation"},
  };
  for (const Case& c : cases) {
    float x = c.x;
    float y = c.y;
    to_crstm(x, y);
    EXPECT_EQ(x, c.crstm_x) << c.why;
    EXPECT_EQ(y, c.crstm_y) << c.why;
  }
}

// 1 + 2^-24 lies halfway between the singles 1 and 1 + 2^-23; a tiny second
// term decides. Adding in double first would lose it and round to even (1).
TEST(SheetPlacement, SumRoundedOnceDecidesHalfwayCasesByTheLowPart) {
  const double halfway = 1.0 + std::ldexp(1.0, -24), tiny = std::ldexp(1.0, -80);
  const float above_one = 1.0f + std::ldexp(1.0f, -23);
  // One case a row, laid out by hand.
  // clang-format off
  const struct { double high, low; float sum; const char* why; } cases[] = {
      {halfway,  tiny,  above_one,  "a tiny positive low part rounds up"},
      {halfway,  -tiny, 1.0f,       "a tiny negative low part rounds down"},
      {-halfway, -tiny, -above_one, "the same away from zero for negatives"},
      {halfway,  0.0,   1.0f,       "a true tie: to even"},
      {3.0,      0.25,  3.25f,      "an exact sum stays as it is"}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(sum_rounded_once(c.high, c.low), c.sum) << c.why;
}

TEST(SheetPlacement, SumRoundedOnceMatchesExtendedPrecision) {
  // Products of singles, summed where long double holds the sum exactly,
  // then rounded once.
  std::mt19937 random(7);
  std::uniform_real_distribution<float> value(-40.0f, 40.0f);
  const std::complex<float> rot = rotation();
  int compared = 0;
  for (int k = 0; k < 200000; ++k) {
    const float x = value(random);
    const float y = value(random);
    const double p = static_cast<double>(x) * rot.real();
    const double q = -(static_cast<double>(y) * rot.imag());
    const long double sum = static_cast<long double>(p) + static_cast<long double>(q);
    if (sum - static_cast<long double>(p) != static_cast<long double>(q)) continue;
    ++compared;
    ASSERT_EQ(std::bit_cast<std::uint32_t>(sum_rounded_once(p, q)),
              std::bit_cast<std::uint32_t>(static_cast<float>(sum)))
        << x << " " << y;
  }
  EXPECT_GT(compared, 100000);
}

}  // namespace
}  // namespace lanterns
