// The four array layouts: rows read as each lays them out or refused naming
// file, line and columns; grids that come back cell for cell; the fit check.
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/arrays.hpp"
#include "gridkit/error.hpp"
#include "gridkit/numfmt.hpp"
#include "tests/support/scratch_folder.hpp"

namespace gridkit {
namespace {

TEST(ArrayLayouts, RowsReadAsTheLayoutLaysThemOutOrAreRefused) {
  std::string ints, one_line, wrapped;
  for (int line = 0; line < 14; ++line)
    ints += std::string(75, ' ').replace(0, 6, "  1 -1") + "XYZ\n";
  for (int k = 1; k <= NCOL(); ++k) {
    one_line += std::to_string(k) + ".5 ";
    wrapped += std::to_string(k) + ".5" + (k % 10 == 0 ? "\n" : ",");
  }
  const std::vector<std::pair<std::size_t, float>> free_row = {
      {0, 1.5f}, {9, 10.5f}, {10, 11.5f}, {360, 361.5f}};
  const struct {
    ArrayLayout layout;
    bool integers;
    int rows, cols;
    std::string text;
    std::vector<std::pair<std::size_t, float>> expected;  // (index, value)
    long lines;                                           // the last line read
    std::string error;
    const char* why;
  } cases[] = {
      // One case a row, laid out by hand.
      // clang-format off
      {ArrayLayout::Int, true, 1, NCOL(), ints + "  5\n",
       {{0, 1}, {1, -1}, {2, 0}, {25, 1}, {350, 5}, {351, 0}}, 15, "",
       "25 fields of 3 a line, columns after 75 ignored, blank fields and a short line's tail read "
       "0"},
      {ArrayLayout::Fixed, false, 1, 11, "    1234   -12.5        .5\n   100.0\n",
       {{0, 123.4f}, {1, -12.5f}, {2, 0}, {3, 0.5f}, {4, 0}, {10, 100}}, 2, "",
       "10 fields of 8, 1 implied decimal, blanks and a short line's tail read 0"},
      {ArrayLayout::Exp, false, 1, 9, ".12500E+02        15\n.31000E-03\n",
       {{0, 12.5f}, {1, 0.00015f}, {8, 0.00031f}}, 2, "", "8 fields of 10, 5 implied decimals"},
      {ArrayLayout::Free, false, 1, NCOL(), one_line + "\n9 9\n",
       free_row, 1, "", "free: a row on one long line"},
      {ArrayLayout::Free, false, 1, NCOL(), wrapped + "\n9 9\n",
       free_row, 37, "", "free: 10 a line, commas between"},
      {ArrayLayout::Free, false, 2, 3, "1 2 3 99 99\n2*7.0 1.5D+00\r\n",
       {{0, 1}, {2, 3}, {3, 7}, {4, 7}, {5, 1.5f}}, 2, "",
       "free: each row starts on a new line; repeat counts, D exponents, a carriage return"},
      {ArrayLayout::Free, true, 1, 5, "1,2 3*7\n99\n",
       {{0, 1}, {1, 2}, {4, 7}}, 1, "", "free-format integers"},
      {ArrayLayout::Int, true, 1, 3, "  1  A  1\n", {}, 1,
       "read A.DAT line 1: expected an integer in columns 4-6, found \"  A\"",
       "a letter in an integer field"},
      {ArrayLayout::Int, true, 1, NCOL(), std::string(75, '1') + "\n", {}, 1,
       "read A.DAT: end of file after line 1", "a row cut short by the end of the file"},
      {ArrayLayout::Fixed, false, 1, 2, "     1.0  12a\n", {}, 1,
       "read A.DAT line 1: expected a number in columns 9-16, found \"  12a\"",
       "the bad field named by columns"},
      {ArrayLayout::Free, true, 1, 2, "1 99999999999\n", {}, 1,
       "read A.DAT line 1: integer out of range, found \"99999999999\"",
       "an integer beyond 32 bits"},
      {ArrayLayout::Free, false, 1, 4, "1 2\n3 x4 5\n", {}, 2,
       "read A.DAT line 2: expected a number, found \"x4\"", "free: the bad token named"},
      {ArrayLayout::Free, false, 1, 4, "1 2\n3\n", {}, 2,
       "read A.DAT: end of file after line 2", "free: too few"},
      {ArrayLayout::Free, false, 1, 4, "", {}, 0,
       "read A.DAT: end of file (the file is empty)", "free: empty file"},
      // clang-format on
  };
  for (const auto& c : cases) {
    InFile file = InFile::from_text("A.DAT", c.text);
    IntGrid ints_read(c.rows, c.cols);
    RealGrid reals_read(c.rows, c.cols);
    std::string error;
    try {
      c.integers ? read_grid(file, ints_read, c.layout) : read_grid(file, reals_read, c.layout);
    } catch (const KitError& e) {
      error = e.what();
    }
    EXPECT_EQ(error, c.error) << c.why;
    EXPECT_EQ(file.line_number(), c.lines) << c.why;
    for (const auto& [k, value] : c.expected)
      EXPECT_EQ(c.integers ? static_cast<float>(ints_read.values()[k]) : reals_read.values()[k],
                value)
          << c.why;
  }
}

// Each layout written by the kit reads back to the same values; the line
// count shows how many values a line holds.
TEST(ArrayLayouts, WrittenGridsComeBackCellForCell) {
  const kit_test::ScratchFolder dir;
  IntGrid codes(2, 26), codes_back(2, 26);
  RealGrid z(2, 26), z_back(2, 26);
  for (int k = 0; k < 52; ++k) {
    codes.values()[k] = (k * 71) % 199 - 99;
    z.values()[k] = static_cast<float>(k * 1301 % 4001) * 0.5f;  // exact in every layout
  }
  const std::tuple<ArrayLayout, bool, long> cases[] = {// layout, integers, lines
                                                       {ArrayLayout::Int, true, 4},
                                                       {ArrayLayout::Free, true, 10},
                                                       {ArrayLayout::Fixed, false, 6},
                                                       {ArrayLayout::Exp, false, 8},
                                                       {ArrayLayout::Free, false, 14}};
  for (const auto& [layout, integers, lines] : cases) {
    {
      OutFile out(dir / "A", "A");
      integers ? write_grid(out, codes, layout) : write_grid(out, z, layout);
    }
    InFile in = InFile::open_existing(dir / "A", "A");
    integers ? read_grid(in, codes_back, layout) : read_grid(in, z_back, layout);
    EXPECT_TRUE(integers ? codes_back.values() == codes.values() : z_back.values() == z.values());
    EXPECT_EQ(in.line_number(), lines)
        << layout_name(layout) << (integers ? " integers" : " reals");
  }
}

// The quick check of whether a value fits its layout's field must agree with
// the field itself, above all at the ends of each range.
TEST(ArrayLayouts, FitCheckAgreesWithTheFieldsAsWritten) {
  const std::pair<ArrayLayout, std::vector<double>> cases[] = {
      {ArrayLayout::Int, {-100.0, -99.5, -99.49, 0.0, 998.7, 999.49, 999.5, 1000.0}},
      {ArrayLayout::Fixed,
       {-100000.0, -99999.96, -99999.94, -99998.9, 0.04, 99998.9, 999999.94, 999999.96, 1e7}},
      {ArrayLayout::Exp, {-1.0, -1e-30, -0.0, 0.0, 1e-40, 3.4e38}},
      {ArrayLayout::Free, {-3.4e38, 0.0, 1e-45, 3.4e38, 1e39}},
  };
  for (const auto& [layout, values] : cases) {
    for (const double value : values) {
      const float single = static_cast<float>(value);
      std::string field;
      switch (layout) {
        case ArrayLayout::Int: field = format_int(std::llround(value), kIntWidth); break;
        case ArrayLayout::Fixed: field = format_fixed(single, kFixedWidth, kFixedDecimals); break;
        case ArrayLayout::Exp: field = format_exp10(single); break;
        case ArrayLayout::Free:
          field = std::isfinite(single) ? free_real_field(single) : "*";
          break;
      }
      EXPECT_EQ(fits_layout(value, layout), field.find('*') == std::string::npos)
          << layout_name(layout) << " " << value << " shows as \"" << field << "\"";
    }
  }
}

}  // namespace
}  // namespace gridkit
