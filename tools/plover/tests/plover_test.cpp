// Both forms of PLOVER run in-process in a scratch folder, checked against
// the exact console text and GEO.OUT they produce.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/tool_runs.hpp"
#include "tools/plover/plover.hpp"

namespace {

class PloverRun : public ::testing::Test {
 protected:
  gridkit::ToolRun run_file_form(const std::string& answers) const {
    return kit_test::run_in(folder_, plover::run_plover, answers);
  }

  kit_test::ScratchFolder folder_;
};

// What the file form shows before the answer: the frame and the prompt.
std::string file_form_header() {
  std::string text;
  for (const std::string_view line : plover::kFileFrame) text += std::string(line) + "\n";
  return text + "ENTER THE CRSTM X,Y,Z FILENAME: \n";
}

const char* const kStop = "Stop - Program terminated.\n";

// Both forms open with a frame of seven 33-character lines, the name on the third.
TEST_F(PloverRun, BothFormsOpenWithTheirFrame) {
  for (const gridkit::ToolFunction form : {plover::run_plover, plover::run_plover_point}) {
    const std::vector<std::string> shown =
        kit_test::lines_of(kit_test::run_in(folder_, form, "").output);
    ASSERT_GE(shown.size(), 7U);
    for (int k = 0; k < 7; ++k) {
      EXPECT_EQ(shown[k].size(), 33U) << shown[k];
      EXPECT_TRUE(shown[k].starts_with('*') && shown[k].ends_with('*')) << shown[k];
    }
    EXPECT_NE(shown[2].find("PLOVER"), std::string::npos);
  }
  EXPECT_EQ(kit_test::lines_of(run_file_form("").output)[2], "*           PLOVER              *");
}

TEST_F(PloverRun, ConvertsEveryPointToOneGeoLine) {
  folder_.write("POINTS.XYZ",
                "359987 344917 0\n"
                "500000,300000,12.5,99\n"  // the fourth value is ignored
                "500000 300000\n"          // a short line continues on the next
                "1234.5\n");
  const gridkit::ToolRun run = run_file_form("POINTS.XYZ\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output, file_form_header() + kStop);
  EXPECT_EQ(folder_.read("GEO.OUT"),
            " 43.00   59.00   59.99   86.00     .00     .00     .00\n"
            " 43.00   34.00   56.68   84.00   15.00   56.95   12.50\n"
            " 43.00   34.00   56.68   84.00   15.00   56.95  ******\n");
}

TEST_F(PloverRun, EmptyPointFileGivesEmptyGeoOut) {
  folder_.write("EMPTY.XYZ", "");
  folder_.write("GEO.OUT", "left from an earlier run\n");
  const gridkit::ToolRun run = run_file_form("EMPTY.XYZ\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output, file_form_header() + kStop);
  EXPECT_TRUE(folder_.has("GEO.OUT"));
  EXPECT_EQ(folder_.read("GEO.OUT"), "");
}

// The point form: frame, prompt, LAT and LON as one double record, no Stop.
std::string point_form_header() {
  std::string text;
  for (const std::string_view line : plover::kPointFrame) text += std::string(line) + "\n";
  return text + " ENTER A CRSTM X Y TO CONVERT TO GEODETIC: \n";
}

TEST_F(PloverRun, PointFormPrintsDecimalDegreesOnOneRecord) {
  for (const char* answer : {"500000 300000\n", "500000,300000\n", "500000\n300000\n"}) {
    const gridkit::ToolRun run = kit_test::run_in(folder_, plover::run_plover_point, answer);
    ASSERT_EQ(run.status, 0) << run.error;
    ASSERT_TRUE(run.output.starts_with(point_form_header())) << run.output;
    const std::string result = run.output.substr(point_form_header().size());
    // Two 24-character fields with a separating blank; the record's leading
    // blank is carriage control and not shown.
    ASSERT_EQ(result.size(), 24U + 1U + 24U + 1U) << result;
    // Fixed form with 15 decimals, digits past the 16th significant one as 0.
    EXPECT_TRUE(result.starts_with("      43.58241245990")) << result;
    EXPECT_EQ(result.substr(22, 2), "80") << result;
    EXPECT_TRUE(result.substr(24).starts_with("       84.2658185219")) << result;
    EXPECT_EQ(result.back(), '\n');
    EXPECT_EQ(run.output.find("Stop"), std::string::npos);
  }
}

TEST_F(PloverRun, PointFormOriginLongitudeIsExactly86) {
  const gridkit::ToolRun run =
      kit_test::run_in(folder_, plover::run_plover_point, "359987 344917\n");
  ASSERT_EQ(run.status, 0) << run.error;
  const std::string result = run.output.substr(point_form_header().size());
  EXPECT_EQ(result.substr(24), "       86.000000000000000\n");
}

TEST_F(PloverRun, PointFormRejectsTextAndEarlyEnd) {
  for (const char* answer : {"EAST 300000\n", "500000\n"}) {
    const gridkit::ToolRun run = kit_test::run_in(folder_, plover::run_plover_point, answer);
    EXPECT_EQ(run.status, 2) << answer;
    EXPECT_FALSE(run.error.empty()) << answer;
  }
}

}  // namespace
