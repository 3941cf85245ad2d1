// Reading numbers, free-format rows and fixed-column rows, and the errors
// that name file, line and what was found.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/arrays.hpp"
#include "gridkit/error.hpp"
#include "gridkit/numparse.hpp"
#include "gridkit/points.hpp"
#include "tests/support/scratch_folder.hpp"

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
  for (const char* bad : {"", "-", ".", "1.2.3", "abc", "1e", "1e+", "E5", "1,5", "NaN", "inf", "0x10"}) {
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

TEST(FreeRows, OneLongLineAndTenToALineReadAlike) {
  std::string one_line, wrapped;
  for (int k = 1; k <= NCOL(); ++k) {
    one_line += std::to_string(k) + ".5 ";
    wrapped += std::to_string(k) + ".5" + (k % 10 == 0 ? "\n" : ",");
  }
  std::vector<float> a(NCOL()), b(NCOL());
  InFile fa = InFile::from_text("A", one_line + "\n9 9\n");
  InFile fb = InFile::from_text("B", wrapped + "\n9 9\n");
  read_free_row(fa, a);
  read_free_row(fb, b);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a[360], 361.5f);
}

TEST(FreeRows, EachRowStartsOnANewLineAndRepeatCountsExpand) {
  InFile f = InFile::from_text("R.DAT", "1 2 3 99 99\n3*7.0 1.5D+00\r\n");
  std::array<float, 3> row{};
  read_free_row(f, row);
  EXPECT_EQ(row, (std::array<float, 3>{1, 2, 3})) << "the rest of the line is skipped";
  std::array<float, 4> next{};
  read_free_row(f, next);
  EXPECT_EQ(next, (std::array<float, 4>{7, 7, 7, 1.5f}));
}

TEST(FreeRows, ErrorsNameFileLineAndWhatWasFound) {
  InFile f = InFile::from_text("HEADS.DAT", "1 2\n3 x4 5\n");
  std::array<float, 4> row{};
  EXPECT_EQ(error_of([&] { read_free_row(f, row); }),
            "read HEADS.DAT line 2: expected a number, found \"x4\"");
  InFile g = InFile::from_text("HEADS.DAT", "1 2\n3\n");
  EXPECT_EQ(error_of([&] { read_free_row(g, row); }), "read HEADS.DAT: end of file after line 2");
  InFile empty = InFile::from_text("EMPTY.DAT", "");
  EXPECT_EQ(error_of([&] { read_free_row(empty, row); }), "read EMPTY.DAT: end of file (the file is empty)");
}

TEST(IntRows, ShortLinesAndBlankFieldsReadZero) {
  std::string text;
  for (int line = 0; line < 14; ++line) text += std::string(75, ' ').replace(0, 6, "  1 -1") + "XYZ\n";
  text += "  5\n";  // the 15th line of a row holds 11 fields; here only one is written
  InFile f = InFile::from_text("IB", text);
  std::vector<std::int32_t> row(NCOL());
  read_int_row(f, row);
  EXPECT_EQ(row[0], 1);
  EXPECT_EQ(row[1], -1);
  EXPECT_EQ(row[2], 0);
  EXPECT_EQ(row[25], 1) << "each line holds 25 fields; columns after 75 are ignored";
  EXPECT_EQ(row[350], 5);
  EXPECT_EQ(row[351], 0);
  EXPECT_EQ(f.line_number(), 15);
}

TEST(IntRows, BadFieldAndShortFileAreReported) {
  InFile bad = InFile::from_text("IBOUND.DAT", "  1  A  1\n");
  std::vector<std::int32_t> row(3);
  EXPECT_EQ(error_of([&] { read_int_row(bad, row); }),
            "read IBOUND.DAT line 1: expected an integer in columns 4-6, found \"  A\"");
  InFile short_file = InFile::from_text("IBOUND.DAT", std::string(75, '1') + "\n");
  std::vector<std::int32_t> full(NCOL());
  EXPECT_EQ(error_of([&] { read_int_row(short_file, full); }), "read IBOUND.DAT: end of file after line 1");
}

TEST(FixedRows, ReadImpliedDecimalsAndWriteTenToALine) {
  InFile f = InFile::from_text("P.DAT", "    1234   -12.5        .5\n   100.0\n");
  std::vector<float> row(11);
  read_fixed_row(f, row);
  EXPECT_EQ(row[0], 123.4f);
  EXPECT_EQ(row[1], -12.5f);
  EXPECT_EQ(row[2], 0.0f) << "a field of blanks reads 0";
  EXPECT_EQ(row[3], 0.5f);
  EXPECT_EQ(row[4], 0.0f) << "the missing tail of a short line reads 0";
  EXPECT_EQ(row[10], 100.0f);
}

TEST(ExpRows, EightToALineAndImpliedFiveDecimals) {
  InFile f = InFile::from_text("K.DAT", ".12500E+02        15\n.31000E-03\n");
  std::vector<float> row(9);
  read_exp_row(f, row);
  EXPECT_EQ(row[0], 12.5f);
  EXPECT_EQ(row[1], 0.00015f);
  EXPECT_EQ(row[8], 0.00031f);
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

namespace gridkit {
namespace {

// Whole grids written by the kit read back to the same values, and the free
// reader takes one row per line however the values are spaced.
TEST(WholeGrids, WrittenGridsReadBackCellForCell) {
  const kit_test::ScratchFolder dir;
  IntGrid codes;
  RealGrid z;
  std::string free_text;
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      codes(i, j) = (i * 7 + j) % 199 - 99;
      z(i, j) = static_cast<float>((i * 13 + j * 3) % 4001) * 0.5f - 1000.0f;  // exact in F8.1
      free_text += std::to_string(j) + (j % 3 == 0 ? "," : "  ");
    }
    free_text += "\n";
  }
  {
    OutFile ints(dir / "I.ARR", "I.ARR");
    write_int_grid(ints, codes);
    OutFile reals(dir / "R.DAT", "R.DAT");
    write_fixed_grid(reals, z);
  }
  InFile ints = InFile::open_existing(dir / "I.ARR", "I.ARR");
  EXPECT_EQ(read_int_grid(ints).values(), codes.values());
  InFile reals = InFile::open_existing(dir / "R.DAT", "R.DAT");
  EXPECT_EQ(read_fixed_grid(reals).values(), z.values());
  InFile free_file = InFile::from_text("F.DAT", free_text);
  const RealGrid columns = read_free_grid(free_file);
  EXPECT_EQ(columns(NROW(), NCOL()), static_cast<float>(NCOL()));
  EXPECT_EQ(columns(1, 1), 1.0f);
}

}  // namespace
}  // namespace gridkit
