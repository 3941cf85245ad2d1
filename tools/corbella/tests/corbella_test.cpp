// CORBELLA: the mixing rules, and whole runs on small generated grids.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "gridkit/numfmt.hpp"
#include "gridkit/tool_main.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/other_grids.hpp"
#include "tests/support/tool_runs.hpp"
#include "tools/corbella/corbella.hpp"
#include "tools/corbella/mix.hpp"

namespace {

using corbella::horizontal_mix;
using corbella::sand_fraction;
using corbella::vertical_mix;
using kit_test::exp_field;

// One mixing rule on one cell.
struct MixCase {
  const char* reason;
  float (*mix)(float p, float sand, float clay);
  float percent_sand, sand, clay;
  std::optional<float> value;  // exactly; NaN: must be NaN
  const char* printed;         // the field as written, where given
};

// Percentages outside 0 to 100 extrapolate. The single-step rows' operands give
// another float when the formulas are carried in double and rounded once.
const MixCase kMixCases[] = {
    {"no sand gives the clay", horizontal_mix, 0.0f, 12.5f, 0.031f, 0.031f, nullptr},
    {"no sand gives the clay", vertical_mix, 0.0f, 1.25f, 0.0031f, 0.0031f, nullptr},
    {"all sand gives the sand", horizontal_mix, 100.0f, 12.5f, 0.031f, 12.5f, nullptr},
    {"all sand gives the sand", vertical_mix, 100.0f, 1.25f, 0.0031f, 1.25f, nullptr},
    {"half sand: the arithmetic mean", horizontal_mix, 50.0f, 10.0f, 0.1f, {}, ".50500E+01"},
    {"half sand: the harmonic mean", vertical_mix, 50.0f, 10.0f, 0.1f, {}, ".19802E+00"},
    {"150 percent: -0.5 * 2 + 1.5 * 4", horizontal_mix, 150.0f, 4.0f, 2.0f, 5.0f, nullptr},
    {"150 percent: 1 / (-0.5 / 2 + 1.5 / 4)", vertical_mix, 150.0f, 4.0f, 2.0f, 8.0f, nullptr},
    {"single steps (double: 19.2846012)", horizontal_mix, 64.9f, 28.2f, 2.8f, 19.2845993f, nullptr},
    {"single steps (double: 5.22366428)", vertical_mix, 51.2f, 98.9f, 2.62f, 5.22366476f, nullptr},
    {"zero clay, half sand: 1 / inf = 0", vertical_mix, 50.0f, 10.0f, 0.0f, 0.0f, nullptr},
    {"zero clay, all sand: 0 / 0", vertical_mix, 100.0f, 10.0f, 0.0f, std::nanf(""), "**********"},
};

TEST(Mix, EachRuleOnOneCell) {
  for (const MixCase& c : kMixCases) {
    const float got = c.mix(sand_fraction(c.percent_sand), c.sand, c.clay);
    const bool as_expected = !c.value || (std::isnan(*c.value) ? std::isnan(got) : got == *c.value);
    EXPECT_TRUE(as_expected) << c.reason << ": " << got;
    EXPECT_EQ(c.printed ? gridkit::format_exp10(got) : "", c.printed ? c.printed : "") << c.reason;
  }
}

// ---- whole runs --------------------------------------------------------

constexpr int kCols = 100;
constexpr int kRows = 200;

class CorbellaRun : public ::testing::Test {
 protected:
  // Sand 10.0 / 10.0 and clay 0.1 / 0.1 everywhere; percent sand 0, 50 or 100
  // by column, and 20 on row 200.
  void SetUp() override { write_inputs(kRows, kCols); }

  void write_inputs(int rows, int cols) {
    const auto constant = [rows, cols](float v) {
      return kit_test::make_grid(rows, cols, [v](int, int) { return v; });
    };
    kit_test::write_exp_grid(dir / "SANDH.ARR", constant(10.0f));
    kit_test::write_exp_grid(dir / "CLAYH.ARR", constant(0.1f));
    kit_test::write_exp_grid(dir / "SANDV.ARR", constant(10.0f));
    kit_test::write_exp_grid(dir / "CLAYV.ARR", constant(0.1f));
    kit_test::write_fixed_grid(dir / "PRCS.ARR", kit_test::make_grid(rows, cols, [](int r, int c) {
                                 if (r == kRows) return 20.0f;
                                 return 50.0f * static_cast<float>(c % 3);
                               }));
  }

  static std::string dialogue(const std::string& cols, const std::string& rows) {
    return kit_test::answers(
        {cols, rows, "LAY1", "SANDH.ARR", "CLAYH.ARR", "SANDV.ARR", "CLAYV.ARR", "PRCS.ARR"});
  }

  gridkit::ToolRun run(const std::string& input) {
    return gridkit::run_tool(corbella::run_corbella, input, dir.path());
  }

  // A run that stops before writing leaves no output behind.
  void expect_no_outputs() {
    for (const char* name : {"LAY1.KH", "LAY1.KV"}) {
      EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    }
  }

  kit_test::ScratchFolder dir;
};

TEST_F(CorbellaRun, DialogueAsksSizeNamesAndEndsNormally) {
  const auto result = run(dialogue("100", "200"));
  ASSERT_EQ(result.status, 0) << result.error;
  const std::string expected =
      " ENTER THE NUMBER OF COLUMNS IN THE MODEL: \n"
      " ENTER THE NUMBER OF ROWS IN THE MODEL: \n"
      " ENTER THE FIRST EIGHT CHARACTERS OF THE  OUTPUT FILENAME:\n"
      " ENTER THE FILENAME OF THE ARRAY CONTAINING \n"
      " HORIZONTAL HYDRAULIC CONDUCTIVITY OF THE \"SAND\":\n"
      " ENTER THE FILENAME OF THE ARRAY CONTAINING \n"
      " HORIZONTAL HYDRAULIC CONDUCTIVITY OF THE \"CLAY\":\n"
      " ENTER THE FILENAME OF THE ARRAY CONTAINING \n"
      " VERTICAL HYDRAULIC CONDUCTIVITY OF THE \"SAND\":\n"
      " ENTER THE FILENAME OF THE ARRAY CONTAINING \n"
      " VERTICAL HYDRAULIC CONDUCTIVITY OF THE \"CLAY\":\n"
      "ENTER THE FILENAME OF THE ARRAY CONTAINING \n"
      "PERCENT \"SAND\":\n"
      "Stop - Program terminated.\n";
  EXPECT_EQ(result.output, expected);
}

// 100 columns take 13 lines a row in the exponent layout (12 of 8 and one
// of 4) and 10 lines in the fixed layout; 200 rows of each are read and
// written.
TEST_F(CorbellaRun, UserGivenGridSizeShapesEveryFile) {
  const auto result = run(dialogue("100", "200"));
  ASSERT_EQ(result.status, 0) << result.error;
  const auto kh = kit_test::read_lines(dir / "LAY1.KH");
  const auto kv = kit_test::read_lines(dir / "LAY1.KV");
  ASSERT_EQ(kh.size(), 200u * 13u);
  ASSERT_EQ(kv.size(), 200u * 13u);
  EXPECT_EQ(kh[0].size(), 80u);
  EXPECT_EQ(kh[12].size(), 40u);
  // Column 1: 50 percent; column 2: 100 percent; column 3: 0 percent.
  EXPECT_EQ(exp_field(kh, 1, 1, kCols), ".50500E+01");
  EXPECT_EQ(exp_field(kv, 1, 1, kCols), ".19802E+00");
  EXPECT_EQ(exp_field(kh, 7, 2, kCols), ".10000E+02");
  EXPECT_EQ(exp_field(kv, 7, 2, kCols), ".10000E+02");
  EXPECT_EQ(exp_field(kh, 199, 99, kCols), ".10000E+00");
  EXPECT_EQ(exp_field(kv, 199, 99, kCols), ".10000E+00");
  // The last row, 20 percent, proves row 200 of the percent file was read:
  // 0.8 * 0.1 + 10 * 0.2 = 2.08; 1 / (0.8 / 0.1 + 0.2 / 10) = 0.124688.
  EXPECT_EQ(exp_field(kh, 200, 100, kCols), ".20800E+01");
  EXPECT_EQ(exp_field(kv, 200, 100, kCols), ".12469E+00");
}

TEST_F(CorbellaRun, FieldWithoutPointTakesFiveImpliedDecimals) {
  // Column 2 is all sand, so its HPERM is the sand's conductivity as read.
  const std::string first = kit_test::read_lines(dir / "SANDH.ARR").at(0);
  kit_test::replace_line(dir / "SANDH.ARR", 1,
                         first.substr(0, 10) + "        15" + first.substr(20));
  const auto result = run(dialogue("100", "200"));
  ASSERT_EQ(result.status, 0) << result.error;
  const auto kh = kit_test::read_lines(dir / "LAY1.KH");
  EXPECT_EQ(exp_field(kh, 1, 2, kCols), ".15000E-03");
  EXPECT_EQ(exp_field(kh, 1, 1, kCols), ".50500E+01");
}

TEST_F(CorbellaRun, GridSizeOutsideTheArraysIsRefusedAndAskedAgain) {
  const auto result =
      run(kit_test::answers({"0", "362", "100", "471", "-1", "200"}) + dialogue("", "").substr(2));
  ASSERT_EQ(result.status, 0) << result.error;
  const std::string cols = " ENTER THE NUMBER OF COLUMNS IN THE MODEL: \n";
  const std::string cols_refused =
      " THE NUMBER OF COLUMNS MUST BE FROM 1 TO 361 - PLEASE ENTER IT AGAIN\n";
  const std::string rows = " ENTER THE NUMBER OF ROWS IN THE MODEL: \n";
  const std::string rows_refused =
      " THE NUMBER OF ROWS MUST BE FROM 1 TO 470 - PLEASE ENTER IT AGAIN\n";
  EXPECT_EQ(result.output.rfind(cols + cols_refused + cols + cols_refused + cols + rows +
                                    rows_refused + rows + rows_refused + rows,
                                0),
            0u)
      << result.output;
  EXPECT_EQ(kit_test::read_lines(dir / "LAY1.KH").size(), 200u * 13u);
}

TEST_F(CorbellaRun, ZeroClayConductivityPrintsAsterisksWhereItDividesZeroByZero) {
  kit_test::write_exp_grid(dir / "CLAYV.ARR",
                           kit_test::make_grid(kRows, kCols, [](int, int) { return 0.0f; }));
  const auto result = run(dialogue("100", "200"));
  ASSERT_EQ(result.status, 0) << result.error;
  const auto kv = kit_test::read_lines(dir / "LAY1.KV");
  EXPECT_EQ(exp_field(kv, 1, 2, kCols), "**********");  // all sand: 0 / 0
  EXPECT_EQ(exp_field(kv, 1, 1, kCols), ".00000E+00");  // half sand: 1 / inf
}

TEST_F(CorbellaRun, WholeModelGridIsTheLargestAccepted) {
  write_inputs(gridkit::NROW(), gridkit::NCOL());
  const auto result = run(dialogue("361", "470"));
  ASSERT_EQ(result.status, 0) << result.error;
  EXPECT_EQ(kit_test::read_lines(dir / "LAY1.KV").size(), 470u * 46u);
}

// On a grid of its own the bounds are that grid's columns and rows.
TEST_F(CorbellaRun, BoundsFollowTheRunsGrid) {
  const kit_test::OnGrid on_grid(dir, kit_test::other_grids().front().grid);  // 97 x 53
  write_inputs(53, 97);
  const auto result = run(kit_test::answers({"98", "97", "54", "53"}) + dialogue("", "").substr(2));
  ASSERT_EQ(result.status, 0) << result.error;
  EXPECT_EQ(kit_test::count_of(result.output, "COLUMNS MUST BE FROM 1 TO 97 -"), 1)
      << result.output;
  EXPECT_EQ(kit_test::count_of(result.output, "ROWS MUST BE FROM 1 TO 53 -"), 1) << result.output;
  EXPECT_EQ(kit_test::read_lines(dir / "LAY1.KV").size(), 53u * 13u);
}

// A damaged input stops the run before anything is written; the error names
// the file and the line.
TEST_F(CorbellaRun, DamagedInputIsReportedAndNothingIsWritten) {
  // A file cut after `line` (no replacement) or with that line replaced.
  const struct {
    const char *reason, *file;
    int line;
    const char *replacement, *reported;
  } cases[] = {
      {"a file cut short inside its last row", "CLAYH.ARR", 199 * 13 + 5, nullptr, "2592"},
      {"a field that is not a number", "PRCS.ARR", 321, "    50.0     x.0", "PRCS.ARR line 321"},
  };
  for (const auto& d : cases) {
    SCOPED_TRACE(d.reason);
    write_inputs(kRows, kCols);
    if (d.replacement) kit_test::replace_line(dir / d.file, d.line, d.replacement);
    if (!d.replacement) kit_test::truncate_lines(dir / d.file, d.line);
    const auto result = run(dialogue("100", "200"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.error.find(d.file), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(d.reported), std::string::npos) << result.error;
    expect_no_outputs();
  }
}

}  // namespace
