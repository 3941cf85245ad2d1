// PINCHLAY: the pinch-out at a node, and whole runs on generated grids.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "gridkit/tool_main.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/tool_runs.hpp"
#include "tools/pinchlay/pinch_out.hpp"
#include "tools/pinchlay/pinchlay.hpp"

namespace {

using gridkit::NCOL;
using gridkit::NLAY;
using gridkit::NROW;
using kit_test::fixed_field;

const std::vector<std::string> kBases = {"T1", "B1", "T2", "B2", "T3", "B3", "T4", "B4"};

// A node whose layers are 10 units thick with gaps of 5 between them.
gridkit::NodeLayers sample_node() {
  gridkit::NodeLayers node;
  for (int k = 1; k <= NLAY; ++k) {
    node.top(k) = 200.0f - 15.0f * static_cast<float>(k - 1);
    node.bot(k) = node.top(k) - 10.0f;
  }
  return node;
}

// The node's tops and bottoms, layers 1 to 4, after the pinch-out.
struct PinchCase {
  const char* reason;
  float unconformity;
  long long first_pinched;
  std::array<float, NLAY> tops, bottoms;
};

constexpr float k2To24 = 16777216.0f;  // 2^24: U + 1 rounds back to U in float

// One case a row, laid out by hand.
// clang-format off
const PinchCase kPinchCases[] = {
    {"first layer 2 stacks unit layers on the unconformity", 100.0f, 2, {200, 102, 101, 155},
     {102, 101, 100, 145}},
    {"first layer 3 leaves the layers above its upper neighbour", 37.5f, 3, {200, 185, 38.5f, 155},
     {190, 38.5f, 37.5f, 145}},
    {"first layer 4 changes nothing", 100.0f, 4, {200, 185, 170, 155}, {190, 175, 160, 145}},
    {"first layer 5 changes nothing", 100.0f, 5, {200, 185, 170, 155}, {190, 175, 160, 145}},
    {"a huge first layer changes nothing", 100.0f, 1000000000000LL, {200, 185, 170, 155},
     {190, 175, 160, 145}},
    {"the lowest pinched bottom is U itself, not (U + 1) - 1", k2To24, 3, {200, 185, k2To24, 155},
     {190, k2To24, k2To24, 145}},
};
// clang-format on

TEST(PinchOutNode, EachFirstPinchedLayer) {
  for (const PinchCase& c : kPinchCases) {
    gridkit::NodeLayers node = sample_node();
    pinchlay::pinch_out_node(node, c.unconformity, c.first_pinched);
    EXPECT_EQ(node.tops, c.tops) << c.reason;
    EXPECT_EQ(node.bottoms, c.bottoms) << c.reason;
  }
}

// ---- whole runs --------------------------------------------------------

float top_value(int k, int r, int c) {
  return 900.0f - 200.0f * static_cast<float>(k - 1) + 0.1f * static_cast<float>((3 * r + c) % 10);
}
float bot_value(int k, int r, int c) { return top_value(k, r, c) - 150.5f; }

class PinchlayRun : public ::testing::Test {
 protected:
  // Pinch IBOUND: 1 everywhere but inactive (0) at kInactive and the grid's
  // corners, constant head (-1) at kConstantHead.
  static constexpr gridkit::Cell kInactive{5, 7};
  static constexpr gridkit::Cell kConstantHead{10, 10};

  // The inputs are generated once and copied into each test's folder.
  static void SetUpTestSuite() {
    inputs_ = std::make_unique<kit_test::ScratchFolder>();
    const kit_test::ScratchFolder& in = *inputs_;
    kit_test::write_int_grid(in / "PINCH.IBD", kit_test::make_int_grid([](int r, int c) {
                               if ((r == kInactive.row && c == kInactive.col) ||
                                   (r == 1 && c == 1) || (r == NROW() && c == NCOL()))
                                 return 0;
                               if (r == kConstantHead.row && c == kConstantHead.col) return -1;
                               return 1;
                             }));
    kit_test::write_fixed_grid(in / "UNCONF.ARR",
                               kit_test::make_grid(NROW(), NCOL(), [](int r, int c) {
                                 return (r == kInactive.row && c == kInactive.col)
                                            ? 100.0f
                                            : 50.0f + 0.5f * static_cast<float>(c % 4);
                               }));
    for (int k = 1; k <= NLAY; ++k) {
      kit_test::write_fixed_grid(
          in / ("T" + std::to_string(k) + ".DAT"),
          kit_test::make_grid(NROW(), NCOL(), [k](int r, int c) { return top_value(k, r, c); }));
      kit_test::write_fixed_grid(
          in / ("B" + std::to_string(k) + ".DAT"),
          kit_test::make_grid(NROW(), NCOL(), [k](int r, int c) { return bot_value(k, r, c); }));
    }
  }
  static void TearDownTestSuite() { inputs_.reset(); }

  void SetUp() override { restore_inputs(); }

  void restore_inputs() {
    for (const auto& entry : std::filesystem::directory_iterator(inputs_->path()))
      std::filesystem::copy_file(entry.path(), dir / entry.path().filename().string(),
                                 std::filesystem::copy_options::overwrite_existing);
  }

  template <class F>
  void write_ibound(F value_at) {
    kit_test::write_int_grid(dir / "PINCH.IBD", kit_test::make_int_grid(value_at));
  }

  static std::string dialogue(const std::string& layer) {
    std::string text = kit_test::answers({"UNCONF.ARR", "PINCH.IBD", layer});
    for (const auto& base : kBases) text += base + "\n";
    return text;
  }

  gridkit::ToolRun run(const std::string& input) {
    return gridkit::run_tool(pinchlay::run_pinchlay, input, dir.path());
  }

  std::vector<std::string> output(const std::string& base) {
    return kit_test::read_lines(dir / (base + ".UNC"));
  }

  void expect_outputs_equal_inputs() {
    for (const auto& base : kBases) {
      EXPECT_EQ(kit_test::read_text(dir / (base + ".UNC")),
                kit_test::read_text(dir / (base + ".DAT")))
          << base;
    }
  }

  // A run that stops before writing leaves no output behind.
  void expect_no_outputs() {
    for (const auto& base : kBases) {
      EXPECT_FALSE(std::filesystem::exists(dir / (base + ".UNC"))) << base;
    }
  }

  static inline std::unique_ptr<kit_test::ScratchFolder> inputs_;
  kit_test::ScratchFolder dir;
};

TEST_F(PinchlayRun, AsksTwelveAnswersAndPinchesOutInactiveNodes) {
  const auto result = run(dialogue("2"));
  ASSERT_EQ(result.status, 0) << result.error;
  std::string expected =
      "ENTER THE UNCONFORMITY STRUCTURAL TOP ARRAY FILENAME :\n"
      "ENTER THE IBOUND ARRAY OF THE FIRST LAYER PINCHED OUT BY THE UNCONFORMITY: \n"
      "THE TOPMOST LAYER IN THE MODEL IS LAYER NUMBER 1 \n"
      "ENTER THE LAYER NUMBER OF THE FIRST LAYER PINCHED OUT BY THE UNCONFORMITY: \n";
  for (int k = 1; k <= NLAY; ++k) {
    expected += "ENTER THE 8 CHARACTER NAME OF THE TOP OF LAYER " + std::to_string(k) + ":\n";
    expected += "ENTER THE 8 CHARACTER NAME OF THE BOT OF LAYER " + std::to_string(k) + ": \n";
  }
  expected += "Stop - Program terminated.\n";
  EXPECT_EQ(result.output, expected);
  // 470 rows of 37 lines in every output.
  for (const auto& base : kBases) EXPECT_EQ(output(base).size(), 470u * 37u) << base;

  // With first pinched layer 2, the inactive node rests on U = 100.0.
  const int r = kInactive.row, c = kInactive.col;
  EXPECT_EQ(fixed_field(output("B1"), r, c), "   102.0");
  EXPECT_EQ(fixed_field(output("T2"), r, c), "   102.0");
  EXPECT_EQ(fixed_field(output("B2"), r, c), "   101.0");
  EXPECT_EQ(fixed_field(output("T3"), r, c), "   101.0");
  EXPECT_EQ(fixed_field(output("B3"), r, c), "   100.0");
  for (const char* base : {"T1", "T4", "B4"}) {
    const auto input = kit_test::read_lines(dir / (std::string(base) + ".DAT"));
    EXPECT_EQ(fixed_field(output(base), r, c), fixed_field(input, r, c)) << base;
  }
  // The first and last cells of the grid are inactive too (U = 50.5 and 50.25).
  EXPECT_EQ(fixed_field(output("B1"), 1, 1), "    52.5");
  EXPECT_EQ(fixed_field(output("B3"), 1, 1), "    50.5");
  EXPECT_EQ(fixed_field(output("T2"), NROW(), NCOL()), "    52.5");
  // Active and constant-head neighbours keep their values.
  for (const auto& base : kBases) {
    const auto input = kit_test::read_lines(dir / (base + ".DAT"));
    const auto out = output(base);
    EXPECT_EQ(fixed_field(out, r, c + 1), fixed_field(input, r, c + 1)) << base;
    EXPECT_EQ(fixed_field(out, kConstantHead.row, kConstantHead.col),
              fixed_field(input, kConstantHead.row, kConstantHead.col))
        << base;
  }
}

TEST_F(PinchlayRun, AllNonZeroPinchIboundPassesEveryArrayThrough) {
  write_ibound([](int r, int c) { return (r + c) % 5 == 0 ? -1 : 1; });
  const auto result = run(dialogue("2"));
  ASSERT_EQ(result.status, 0) << result.error;
  expect_outputs_equal_inputs();
}

TEST_F(PinchlayRun, FirstLayerFourOrMoreChangesNothing) {
  const auto result = run(dialogue("4"));
  ASSERT_EQ(result.status, 0) << result.error;
  expect_outputs_equal_inputs();
}

TEST_F(PinchlayRun, InactiveNodeWithFirstLayerThreeKeepsLayerOne) {
  const auto result = run(dialogue("3"));
  ASSERT_EQ(result.status, 0) << result.error;
  const int r = kInactive.row, c = kInactive.col;
  EXPECT_EQ(fixed_field(output("B2"), r, c), "   101.0");
  EXPECT_EQ(fixed_field(output("T3"), r, c), "   101.0");
  EXPECT_EQ(fixed_field(output("B3"), r, c), "   100.0");
  for (const char* base : {"T1", "B1", "T2", "T4", "B4"}) {
    const auto input = kit_test::read_lines(dir / (std::string(base) + ".DAT"));
    EXPECT_EQ(fixed_field(output(base), r, c), fixed_field(input, r, c)) << base;
  }
}

TEST_F(PinchlayRun, FirstLayerBelowTwoIsRefusedAndAskedAgain) {
  const auto result = run(dialogue("1\n0\n-3\n2"));
  ASSERT_EQ(result.status, 0) << result.error;
  const std::string prompt =
      "ENTER THE LAYER NUMBER OF THE FIRST LAYER PINCHED OUT BY THE UNCONFORMITY: \n";
  const std::string refusal = "THE FIRST PINCHED LAYER MUST BE 2 OR MORE - PLEASE ENTER IT AGAIN\n";
  const std::string asked_four_times =
      prompt + refusal + prompt + refusal + prompt + refusal + prompt;
  EXPECT_NE(result.output.find(asked_four_times), std::string::npos) << result.output;
  EXPECT_EQ(fixed_field(output("B1"), kInactive.row, kInactive.col), "   102.0");
}

// Two layers given one base name would have two writers on one output file.
TEST_F(PinchlayRun, BaseNameOfAnotherLayerIsRefused) {
  std::string input = kit_test::answers({"UNCONF.ARR", "PINCH.IBD", "4", "T1", "T1"});
  for (std::size_t i = 1; i < kBases.size(); ++i) input += kBases[i] + "\n";
  const auto result = run(input);
  ASSERT_EQ(result.status, 0) << result.error;
  EXPECT_NE(result.output.find("THAT NAME IS ALREADY GIVEN TO ANOTHER LAYER"), std::string::npos);
  expect_outputs_equal_inputs();
}

// A damaged input stops the run before anything is written; the error names
// the file and the line.
TEST_F(PinchlayRun, DamagedInputIsReportedAndNothingIsWritten) {
  // A file cut after `line` (no replacement) or with that line replaced.
  const struct {
    const char *reason, *file;
    int line;
    const char *replacement, *reported;
  } cases[] = {
      {"a layer file cut short inside its last row", "B4.DAT", 469 * 37 + 20, nullptr, "17373"},
      {"a field not a number", "UNCONF.ARR", 1234, "    50.5   5x0.5", "UNCONF.ARR line 1234"},
      {"an IBOUND field not a number", "PINCH.IBD", 77, "  1  1  ?", "PINCH.IBD line 77"},
  };
  for (const auto& d : cases) {
    SCOPED_TRACE(d.reason);
    restore_inputs();
    if (d.replacement) kit_test::replace_line(dir / d.file, d.line, d.replacement);
    if (!d.replacement) kit_test::truncate_lines(dir / d.file, d.line);
    const auto result = run(dialogue("2"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.error.find(d.file), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(d.reported), std::string::npos) << result.error;
    expect_no_outputs();
  }
}

}  // namespace
