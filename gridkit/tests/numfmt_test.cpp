// Printed numbers: every digit of every field is part of the file formats.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "gridkit/numfmt.hpp"

namespace gridkit {
namespace {

struct FixedCase {
  double value;
  int width;
  int decimals;
  const char* expected;
  const char* why;
};

TEST(FormatFixed, RoundsOnceAtTheCoarserOfPlaceAndSeventhDigit) {
  const FixedCase cases[] = {
      {262.467194f, 10, 5, " 262.46720", "7th significant digit is coarser than the 5th decimal"},
      {196.850403f, 10, 5, " 196.85040", "digits beyond the 7th are written as 0"},
      {3.28083992f, 10, 5, "   3.28084", "place is coarser than the 7th digit"},
      {6.56167984f, 10, 5, "   6.56168",
       "the place is coarser than the 7th digit; rounds up at it"},
      {65.6167984f, 10, 5, "  65.61680",
       "place and 7th digit coincide; the carry leaves a trailing 0"},
      {0.25, 8, 1, "      .3", "exact tie rounds away from zero"},
      {-0.25, 8, 1, "     -.3", "negative tie rounds away from zero"},
      {0.35f, 8, 1, "      .3", "0.35f is below the tie, so it rounds down"},
      {0.5, 6, 2, "   .50", "no zero before the point"},
      {0.0, 6, 2, "   .00", "zero shows only its decimals"},
      {-0.5, 6, 2, "  -.50", "the minus sign stands before the point, no zero between"},
      {-0.001, 6, 2, "   .00", "a value rounding to zero has no minus sign"},
      {-0.0, 6, 2, "   .00", "negative zero has no minus sign"},
      {0.3, 5, 0, "   0.", "a 0 stands before the point only when no digit would show"},
      {999.995, 6, 2, "******", "rounds to 1000.00, too wide"},
      {999.994, 6, 2, "999.99", "just below the carry, fills the field exactly"},
      {-99.995, 6, 2, "******", "rounds to -100.00, too wide"},
      {-12345.6f, 8, 1, "-12345.6", "a value may fill the whole field"},
      {123456.7f, 8, 1, "123456.7", "seven digits fill the field without a sign"},
      {1234567.0f, 8, 1, "********", "one digit too many for the field"},
      {59.9885, 6, 2, " 59.99", "the third decimal rounds the second up"},
      {9999999.5f, 11, 1, " 10000000.0", "carry out of the 7th digit adds a digit"},
      {1.0e-9, 8, 1, "      .0", "tiny values round to zero"},
      {43.0, 6, 2, " 43.00", "a whole number keeps its decimal zeros"},
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(format_fixed(c.value, c.width, c.decimals), c.expected) << c.value << ": " << c.why;
  }
}

TEST(FormatFixed, NonFiniteValuesFillTheFieldWithAsterisks) {
  EXPECT_EQ(format_fixed(std::numeric_limits<double>::quiet_NaN(), 8, 1), "********");
  EXPECT_EQ(format_fixed(std::numeric_limits<double>::infinity(), 6, 2), "******");
  EXPECT_EQ(format_fixed(-std::numeric_limits<double>::infinity(), 6, 2), "******");
}

TEST(FormatFixed, TieIsDecidedOnTheExactBinaryValue) {
  // 0.15 is stored as 0.1499999999999999944..., so it rounds down even
  // though its shortest decimal form looks like a tie.
  EXPECT_EQ(format_fixed(0.15, 6, 1), "    .1");
  // 2.5 is exact and rounds away from zero.
  EXPECT_EQ(format_fixed(2.5, 6, 0, 7), "    3.");
  // 1.0000005f: the float nearest is 1.00000048..., below the tie at 7 digits.
  EXPECT_EQ(format_fixed(1.0000005f, 12, 8), "  1.00000000");
}

TEST(FormatInt, RightJustifiesOrFillsWithAsterisks) {
  EXPECT_EQ(format_int(361, 3), "361");
  EXPECT_EQ(format_int(-1, 3), " -1");
  EXPECT_EQ(format_int(1000, 3), "***");
  EXPECT_EQ(format_int(-100, 3), "***");
  EXPECT_EQ(format_int(0, 10), "         0");
}

TEST(FormatExp10, WritesPointFiveDigitsAndTwoExponentDigits) {
  EXPECT_EQ(format_exp10(12.5f), ".12500E+02");
  EXPECT_EQ(format_exp10(0.00031f), ".31000E-03");
  EXPECT_EQ(format_exp10(5.05f), ".50500E+01");
  EXPECT_EQ(format_exp10(0.198019802f), ".19802E+00");
  EXPECT_EQ(format_exp10(0.0f), ".00000E+00");
  EXPECT_EQ(format_exp10(-0.0f), ".00000E+00");
  EXPECT_EQ(format_exp10(1.0f), ".10000E+01");
  EXPECT_EQ(format_exp10(0.999996f), ".10000E+01") << "carry raises the exponent";
  EXPECT_EQ(format_exp10(-12.5f), "**********") << "a negative value does not fit";
  EXPECT_EQ(format_exp10(std::numeric_limits<float>::infinity()), "**********");
  EXPECT_EQ(format_exp10(std::nanf("")), "**********");
}

TEST(FreeFields, SingleRealTakesFixedFormFromOneToSevenDigitsBeforeThePoint) {
  EXPECT_EQ(free_real_field(290568.0f), "  290568.000000");
  EXPECT_EQ(free_real_field(-290568.0f), " -290568.000000");
  EXPECT_EQ(free_real_field(1234.5678f), "    1234.568000");
  EXPECT_EQ(free_real_field(1.0f), "       1.000000");
  EXPECT_EQ(free_real_field(9999999.0f), " 9999999.000000");
  EXPECT_EQ(free_real_field(10000000.0f), "   1.000000E+07");
  EXPECT_EQ(free_real_field(0.0f), "   0.000000E+00");
  EXPECT_EQ(free_real_field(-0.0f), "   0.000000E+00");
  EXPECT_EQ(free_real_field(0.5f), "   5.000000E-01");
  EXPECT_EQ(free_real_field(-0.5f), "  -5.000000E-01");
  EXPECT_EQ(free_real_field(0.99999994f), "   9.999999E-01") << "the float just below 1";
  EXPECT_EQ(free_real_field(9999999.5f), "   1.000000E+07") << "rounds up out of the fixed range";
  EXPECT_EQ(free_real_field(1.0e-40f), "   9.999946E-41") << "subnormal single";
}

TEST(FreeFields, NonFiniteRealsAreSpelledOut) {
  EXPECT_EQ(free_real_field(std::numeric_limits<float>::infinity()), "       Infinity");
  EXPECT_EQ(free_real_field(-std::numeric_limits<float>::infinity()), "      -Infinity");
  EXPECT_EQ(free_real_field(std::nanf("")), "            NaN");
  EXPECT_EQ(free_double_field(std::nan("")), std::string(21, ' ') + "NaN");
}

TEST(FreeFields, DoubleRealHasSixteenDigits) {
  EXPECT_EQ(free_double_field(359987.0), "  359987.000000000000000");
  EXPECT_EQ(free_double_field(0.0), "  0.000000000000000E+000");
  EXPECT_EQ(free_double_field(0.0068147871), "  6.814787100000000E-003");
  EXPECT_EQ(free_double_field(420622.07081234567), "  420622.070812345700000");
  EXPECT_EQ(free_double_field(-1.0e300), " -1.000000000000000E+300");
  // 6388648.3912345678 is stored as 6388648.39123456738..., so the 16th digit stays 7.
  EXPECT_EQ(free_double_field(6388648.3912345678), " 6388648.391234567000000");
  EXPECT_EQ(free_double_field(0.99999999999999994), "  9.999999999999999E-001");
  // 1e23 is stored as 9.99999999999999916e22, just below the power of ten:
  // its point must come from the exact value, not from the nearest 10^23.
  EXPECT_EQ(free_double_field(1e23), "  9.999999999999999E+022");
}

TEST(FreeFields, IntegerTakesElevenCharacters) {
  EXPECT_EQ(free_int_field(361), "        361");
  EXPECT_EQ(free_int_field(-5), "         -5");
  EXPECT_EQ(free_int_field(-2147483647), "-2147483647");
}

}  // namespace
}  // namespace gridkit
