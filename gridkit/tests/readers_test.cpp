// Reading numbers and point files, and the errors
// that name file, line and what was found.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/error.hpp"
#include "gridkit/numparse.hpp"
#include "gridkit/points.hpp"

namespace gridkit {
namespace {

std::string error_of(const std::function<void()>& action) {
  try {
    action();
  } catch (const KitError& e) {
    return e.what();
  }
  return "";
}

TEST(ParseNumbers, AcceptsTheNotationsFilesUse) {
  EXPECT_EQ(parse_float("1.5D+02"), 150.0f);
  EXPECT_EQ(parse_float("1.5d2"), 150.0f);
  EXPECT_EQ(parse_float("+3"), 3.0f);
  EXPECT_EQ(parse_float(".5"), 0.5f);
  EXPECT_EQ(parse_float("5."), 5.0f);
  EXPECT_EQ(parse_float("-2E-1"), -0.2f);
  EXPECT_EQ(parse_double("359987"), 359987.0);
  for (const char* bad :
       {"", "-", ".", "1.2.3", "abc", "1e", "1e+", "E5", "1,5", "NaN", "inf", "0x10"}) {
    EXPECT_FALSE(parse_float(bad).has_value()) << bad;
  }
  EXPECT_FALSE(parse_float("1e39").has_value()) << "too large for single precision";
  EXPECT_EQ(parse_float("1e-50"), 0.0f) << "underflow reads as zero";
  EXPECT_EQ(parse_integer("-12"), -12);
  EXPECT_FALSE(parse_integer("12.0").has_value());
  EXPECT_FALSE(parse_integer("99999999999999999999").has_value());
}

TEST(ParseNumbers, FloatsAreRoundedOnceFromTheDecimalText) {
  // Through a double first this would round twice and give 1.00000012f.
  EXPECT_EQ(parse_float("1.000000059604644775390625000001"), 1.00000012f);
  EXPECT_EQ(parse_float("1.0000000596046447753906250"), 1.0f) << "exact tie goes to even";
  EXPECT_EQ(parse_float("290068.1"), 290068.09375f);
}

TEST(ParseNumbers, FixedFieldsIgnoreBlanksAndImplyDecimals) {
  EXPECT_EQ(parse_fixed_integer(" 1 2"), 12);
  EXPECT_EQ(parse_fixed_integer("   "), 0);
  EXPECT_EQ(parse_fixed_float("    1234", 1), 123.4f);
  EXPECT_EQ(parse_fixed_float("  -123.4", 1), -123.4f);
  EXPECT_EQ(parse_fixed_float("      15", 5), 0.00015f);
  EXPECT_EQ(parse_fixed_float("     -15", 5), -0.00015f);
  EXPECT_EQ(parse_fixed_float(".12500E+02", 5), 12.5f);
  EXPECT_EQ(parse_fixed_float("  125E+2", 1), 1250.0f) << "the point is implied in the mantissa";
  EXPECT_EQ(parse_fixed_float("        ", 1), 0.0f);
  EXPECT_EQ(parse_fixed_float("   12", 0), 12.0f);
  EXPECT_FALSE(parse_fixed_float("  12a", 1).has_value());
}

TEST(PointFile, ThreeValuesPerPointShortLinesContinueEndOfFileEnds) {
  InFile f = InFile::from_text("PTS.XYZ", "500000,300000,12.5,99\n359987 344917\n0\n\n");
  const std::optional<PointD> a = read_point_double(f);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->x, 500000.0);
  EXPECT_EQ(a->y, 300000.0);
  EXPECT_EQ(a->z, 12.5f);
  const std::optional<PointD> b = read_point_double(f);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->y, 344917.0);
  EXPECT_EQ(b->z, 0.0f);
  EXPECT_FALSE(read_point_double(f));
}

TEST(PointFile, SinglePrecisionReadsRoundEachValueToFloat) {
  InFile f = InFile::from_text("PTS.XYZ", "290068.1 557128.0 1.1 extra words\n1 2 3\n");
  const std::optional<PointF> p = read_point_single(f);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->x, 290068.09375f);
  EXPECT_EQ(p->z, 1.1f);
  InFile g = InFile::from_text("C.XYZ", "1 2 x\n3 4\n");
  EXPECT_EQ(read_point_xy(g)->x, 1.0f);
  EXPECT_EQ(read_point_xy(g)->y, 4.0f) << "only X and Y are read; the rest of the line is ignored";
}

TEST(PointFile, ABadLineIsAnErrorNamingIt) {
  InFile f = InFile::from_text("PTS.XYZ", "1 2 3\n4 five 6\n");
  ASSERT_TRUE(read_point_single(f));
  EXPECT_EQ(error_of([&] { read_point_single(f); }),
            "read PTS.XYZ line 2: expected a number, found \"five\"");
}

}  // namespace
}  // namespace gridkit
