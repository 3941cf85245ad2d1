// LAYORDER: the repair at a node, and whole runs on generated grids.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "gridkit/tool_main.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/tool_runs.hpp"
#include "tools/layorder/layorder.hpp"
#include "tools/layorder/repair.hpp"

namespace {

using gridkit::NCOL;
using gridkit::NLAY;
using gridkit::NROW;
using kit_test::fixed_field;

// Layers 1..4 of 10 units with gaps of 5: nothing to repair.
gridkit::NodeLayers ordered_node() {
  gridkit::NodeLayers node;
  for (int k = 1; k <= NLAY; ++k) {
    node.top(k) = 100.0f - 15.0f * static_cast<float>(k - 1);
    node.bot(k) = node.top(k) - 10.0f;
  }
  return node;
}

// One value of a node after the repair: the top or bottom of layer k.
struct Expected {
  bool top;
  int k;
  float value;  // NaN: the value must be NaN
};

struct RepairCase {
  const char* reason;
  void (*disorder)(gridkit::NodeLayers&);  // applied to ordered_node()
  std::vector<Expected> expected;
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// One case a row, laid out by hand.
// clang-format off
const RepairCase kRepairCases[] = {
    {"ordered layers stay as they are", [](gridkit::NodeLayers&) {},
     {{true, 1, 100}, {false, 1, 90}, {true, 2, 85}, {false, 2, 75}, {true, 3, 70},
      {false, 3, 60}, {true, 4, 55}, {false, 4, 45}}},
    {"zero thickness puts the bottom one below the top", [](gridkit::NodeLayers& n) {
       n.top(1) = 50.0f;
       n.bot(1) = 50.0f;
     }, {{false, 1, 49}}},
    {"an inverted layer gets its bottom one below its top", [](gridkit::NodeLayers& n) {
       n.top(4) = 20.0f;
       n.bot(4) = 27.5f;
     }, {{false, 4, 19}}},
    {"a top above the bottom over it is put one below, its bottom kept",
     [](gridkit::NodeLayers& n) {
       n.bot(1) = 40.0f;
       n.top(2) = 45.0f;
       n.bot(2) = 30.0f;
     }, {{true, 2, 39}, {false, 2, 30}}},
    {"touching layers and gaps are left alone", [](gridkit::NodeLayers& n) {
       n.bot(1) = 40.0f;
       n.top(2) = 40.0f;  // touching
       n.bot(2) = 30.0f;
       n.top(3) = 20.0f;  // a gap below layer 2
     }, {{true, 2, 40}, {true, 3, 20}}},
    {"the top lowered in one layer's pass is the one the next thickness is measured from",
     [](gridkit::NodeLayers& n) {
       n.bot(1) = 40.0f;
       n.top(2) = 45.0f;
       n.bot(2) = 39.5f;
       n.top(3) = 30.0f;
     }, {{true, 2, 39}, {false, 2, 38}}},
    {"a stack collapsed onto one elevation is rebuilt downwards", [](gridkit::NodeLayers& n) {
       n.tops.fill(10.0f);
       n.bottoms.fill(10.0f);
     },
     {{true, 1, 10}, {false, 1, 9}, {true, 2, 8}, {false, 2, 7}, {true, 3, 6}, {false, 3, 5},
      {true, 4, 4}, {false, 4, 3}}},
    {"a NaN thickness counts as not positive; a NaN overlap is not below zero",
     [](gridkit::NodeLayers& n) { n.top(1) = kNaN; }, {{false, 1, kNaN}, {true, 2, 85}}},
    // Top 0.1 and bottom 10000001 give a float thickness of -10000001, so the
    // bottom becomes 10000001 - 10000001 - 1 = -1; carried in double it would
    // be about -0.9.
    {"new values come from stored single-precision operands", [](gridkit::NodeLayers& n) {
       n.top(1) = 0.1f;
       n.bot(1) = 10000001.0f;
     }, {{false, 1, -1}}},
};
// clang-format on

TEST(RepairNode, Cases) {
  for (const auto& c : kRepairCases) {
    auto node = ordered_node();
    c.disorder(node);
    layorder::repair_node(node);
    for (const auto& e : c.expected) {
      const float got = e.top ? node.top(e.k) : node.bot(e.k);
      const std::string which = (e.top ? "top " : "bottom ") + std::to_string(e.k);
      if (std::isnan(e.value))
        EXPECT_TRUE(std::isnan(got)) << c.reason << ": " << which;
      else
        EXPECT_EQ(got, e.value) << c.reason << ": " << which;
    }
  }
}

// ---- whole runs --------------------------------------------------------

const std::vector<std::string> kBases = {"T1", "B1", "T2", "B2", "T3", "B3", "T4", "B4"};

// Rows hold well-ordered layers, except at the cells set up below.
float top_value(int k, int r, int c) {
  return 500.0f - 100.0f * static_cast<float>(k - 1) + 0.1f * static_cast<float>((r + 2 * c) % 10);
}
float bot_value(int k, int r, int c) { return top_value(k, r, c) - 40.0f; }

struct BadNode {
  gridkit::Cell cell;
  int ibound;
};
// The same disorder at an active, a constant-head and an inactive node:
// bottom 1 = top 1 = 550.0 (bottom 1 becomes 549.0), top 2 = 552.0 above it
// (lowered to 548.0), bottom 2 = 548.5 then above the lowered top 2.
constexpr BadNode kActive{{3, 4}, 1};
constexpr BadNode kConstantHead{{200, 361}, -1};
constexpr BadNode kInactive{{470, 1}, 0};

class LayorderRun : public ::testing::Test {
 protected:
  // The inputs are generated once and copied into each test's folder.
  static void SetUpTestSuite() {
    inputs_ = std::make_unique<kit_test::ScratchFolder>();
    const kit_test::ScratchFolder& dir = *inputs_;
    kit_test::write_int_grid(dir / "OPER.IBD", kit_test::make_int_grid([](int r, int c) {
                               for (const auto& bad : {kActive, kConstantHead, kInactive})
                                 if (bad.cell == gridkit::Cell{r, c}) return bad.ibound;
                               return (r + c) % 3 == 0 ? 0 : 1;
                             }));
    const auto is_bad = [](int r, int c) {
      for (const auto& bad : {kActive, kConstantHead, kInactive})
        if (bad.cell == gridkit::Cell{r, c}) return true;
      return false;
    };
    for (int k = 1; k <= NLAY; ++k) {
      kit_test::write_fixed_grid(dir / ("T" + std::to_string(k) + ".DAT"),
                                 kit_test::make_grid(NROW(), NCOL(), [&](int r, int c) {
                                   if (is_bad(r, c) && k == 1) return 550.0f;
                                   if (is_bad(r, c) && k == 2) return 552.0f;
                                   return top_value(k, r, c);
                                 }));
      kit_test::write_fixed_grid(dir / ("B" + std::to_string(k) + ".DAT"),
                                 kit_test::make_grid(NROW(), NCOL(), [&](int r, int c) {
                                   if (is_bad(r, c) && k == 1) return 550.0f;
                                   if (is_bad(r, c) && k == 2) return 548.5f;
                                   return bot_value(k, r, c);
                                 }));
    }
  }

  static void TearDownTestSuite() { inputs_.reset(); }

  void SetUp() override {
    for (const auto& entry : std::filesystem::directory_iterator(inputs_->path()))
      std::filesystem::copy_file(entry.path(), dir / entry.path().filename().string());
  }

  template <class F>
  void write_ibound(F value_at) {
    kit_test::write_int_grid(dir / "OPER.IBD", kit_test::make_int_grid(value_at));
  }

  static std::string dialogue() {
    std::string text;
    for (const auto& base : kBases) text += base + "\n";
    return text + "OPER.IBD\n";
  }

  gridkit::ToolRun run(const std::string& input) {
    return gridkit::run_tool(layorder::run_layorder, input, dir.path());
  }

  std::vector<std::string> output(const std::string& base) {
    return kit_test::read_lines(dir / (base + ".MOD"));
  }

  void expect_outputs_equal_inputs() {
    for (const auto& base : kBases) {
      EXPECT_EQ(kit_test::read_text(dir / (base + ".MOD")),
                kit_test::read_text(dir / (base + ".DAT")))
          << base;
    }
  }

  // A run that stops before writing leaves no output behind.
  void expect_no_outputs() {
    for (const auto& base : kBases) {
      EXPECT_FALSE(std::filesystem::exists(dir / (base + ".MOD"))) << base;
    }
  }

  void expect_repaired(const gridkit::Cell& cell) {
    EXPECT_EQ(fixed_field(output("T1"), cell.row, cell.col), "   550.0");
    EXPECT_EQ(fixed_field(output("B1"), cell.row, cell.col), "   549.0");
    EXPECT_EQ(fixed_field(output("T2"), cell.row, cell.col), "   548.0");
    EXPECT_EQ(fixed_field(output("B2"), cell.row, cell.col), "   547.0");  // 548.5 - 0.5 - 1
  }

  static inline std::unique_ptr<kit_test::ScratchFolder> inputs_;
  kit_test::ScratchFolder dir;
};

TEST_F(LayorderRun, AsksNineAnswersAndEndsNormally) {
  const auto result = run(dialogue());
  ASSERT_EQ(result.status, 0) << result.error;
  std::string expected;
  for (int k = 1; k <= NLAY; ++k) {
    expected += "ENTER THE 8 CHARACTER NAME OF THE TOP OF LAYER " + std::to_string(k) + ":\n";
    expected += "ENTER THE 8 CHARACTER NAME OF THE BOT OF LAYER " + std::to_string(k) + ": \n";
  }
  expected += "ENTER THE OPERATIONAL BOUNDARY IBOUND ARRAY: \n";
  expected += "Stop - Program terminated.\n";
  EXPECT_EQ(result.output, expected);
  for (const auto& base : kBases) EXPECT_EQ(output(base).size(), 470u * 37u) << base;
}

TEST_F(LayorderRun, ActiveAndConstantHeadNodesAreRepairedInactiveOnesPass) {
  const auto result = run(dialogue());
  ASSERT_EQ(result.status, 0) << result.error;
  expect_repaired(kActive.cell);
  expect_repaired(kConstantHead.cell);
  const auto [r, c] = kInactive.cell;
  for (const auto& base : kBases) {
    const auto input = kit_test::read_lines(dir / (base + ".DAT"));
    EXPECT_EQ(fixed_field(output(base), r, c), fixed_field(input, r, c)) << base;
  }
  // Well-ordered nodes, active or not, keep their values.
  for (const auto& base : kBases) {
    const auto input = kit_test::read_lines(dir / (base + ".DAT"));
    EXPECT_EQ(fixed_field(output(base), 1, 1), fixed_field(input, 1, 1)) << base;
    EXPECT_EQ(fixed_field(output(base), 250, 99), fixed_field(input, 250, 99)) << base;
  }
}

TEST_F(LayorderRun, AllZeroIboundPassesEveryArrayThrough) {
  write_ibound([](int, int) { return 0; });
  const auto result = run(dialogue());
  ASSERT_EQ(result.status, 0) << result.error;
  expect_outputs_equal_inputs();
}

TEST_F(LayorderRun, ShortRowIsReportedAndNothingIsWritten) {
  // Row 2 of T2.DAT loses its last line, so row 2 reads into row 3's lines
  // and the file ends one line early.
  auto lines = kit_test::read_lines(dir / "T2.DAT");
  lines.erase(lines.begin() + 2 * 37 - 1);
  {
    std::ofstream out(dir / "T2.DAT", std::ios::binary | std::ios::trunc);
    for (const auto& line : lines) out << line << '\n';
  }
  const auto result = run(dialogue());
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.error.find("T2.DAT"), std::string::npos) << result.error;
  EXPECT_NE(result.error.find(std::to_string(470 * 37 - 1)), std::string::npos) << result.error;
  expect_no_outputs();
}

TEST_F(LayorderRun, MalformedFieldIsReportedWithItsLine) {
  kit_test::replace_line(dir / "B3.DAT", 5000, "   300.1   abc.d");
  const auto result = run(dialogue());
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.error.find("B3.DAT line 5000"), std::string::npos) << result.error;
  expect_no_outputs();
}

}  // namespace
