// AVOCET run in-process: its records, their widths and its failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/tool_runs.hpp"
#include "tools/avocet/avocet.hpp"

namespace {

using kit_test::lines_of;

// A double free-format field: the text right-justified in 24 characters.
std::string field(const std::string& text) { return std::string(24 - text.size(), ' ') + text; }

gridkit::ToolRun run_avocet(const std::string& input) {
  const kit_test::ScratchFolder folder;
  return kit_test::run_in(folder, avocet::run_avocet, input);
}

TEST(Avocet, OriginPrintsIntermediatesThenExactFalseCoordinates) {
  const gridkit::ToolRun run = run_avocet("44 86\n");
  ASSERT_EQ(run.status, 0) << run.error;
  const std::vector<std::string> lines = lines_of(run.output);
  ASSERT_EQ(lines.size(), 7U) << run.output;
  // Each record is one blank of carriage control (not shown) and a 24-character
  // field; the last holds X and Y with one separating blank.
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(lines[i].size(), 24U) << lines[i];
  EXPECT_EQ(lines[0], field("6.814787132315455E-003"));  // e'^2 = e^2 / (1 - e^2)
  EXPECT_TRUE(lines[1].starts_with(field("6388648.395116451000000").substr(0, 14))) << lines[1];
  EXPECT_TRUE(lines[1].ends_with("000000")) << "beyond 16 significant digits: " << lines[1];
  EXPECT_TRUE(lines[2].starts_with("  9.32554889")) << lines[2];
  EXPECT_TRUE(lines[2].ends_with("E-001")) << lines[2];
  EXPECT_TRUE(lines[3].starts_with("  3.5263097")) << lines[3];
  EXPECT_TRUE(lines[3].ends_with("E-003")) << lines[3];
  EXPECT_EQ(lines[4], field("0.000000000000000E+000"));
  EXPECT_EQ(lines[5], field("359987.000000000000000") + " " + field("344917.000000000000000"));
  EXPECT_EQ(lines[6], "Stop - Program terminated.");
}

TEST(Avocet, CommaSeparatedOrOnTwoLines) {
  for (const char* input : {"43.5,85.25\n", "43.5\n85.25\n", "  43.5   85.25  extra\n"}) {
    const gridkit::ToolRun run = run_avocet(input);
    ASSERT_EQ(run.status, 0) << run.error;
    const std::vector<std::string> lines = lines_of(run.output);
    ASSERT_EQ(lines.size(), 7U) << run.output;
    ASSERT_EQ(lines[5].size(), 49U) << lines[5];
    EXPECT_TRUE(lines[5].starts_with("  420622.0708")) << lines[5];
    EXPECT_TRUE(lines[5].substr(25).starts_with("  289659.3082")) << lines[5];
  }
}

TEST(Avocet, EndOfInputOrTextIsAnErrorReport) {
  for (const char* input : {"", "44\n", "44 WEST\n"}) {
    const gridkit::ToolRun run = run_avocet(input);
    EXPECT_EQ(run.status, 2) << input;
    EXPECT_FALSE(run.error.empty()) << input;
    EXPECT_EQ(run.output.find("Stop"), std::string::npos) << input;
  }
}

}  // namespace
