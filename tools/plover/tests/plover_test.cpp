// Both forms of PLOVER run in-process in a scratch folder, checked against
// the exact console text and GEO.OUT they produce.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "gridkit/numfmt.hpp"
#include "gridkit/tool_main.hpp"
#include "tools/plover/plover.hpp"

namespace {

namespace fs = std::filesystem;

class PloverRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    folder_ = fs::temp_directory_path() / ("plover-test-" + std::to_string(rd()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void write_file(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }
  std::string read_file(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  gridkit::ToolRun run_file_form(const std::string& answers) const {
    return gridkit::run_tool(plover::run_plover, answers, folder_);
  }

  fs::path folder_;
};

// What the file form shows before the answer: the frame and the prompt.
std::string file_form_header() {
  std::string text;
  for (const std::string_view line : plover::kFileFrame) text += std::string(line) + "\n";
  return text + "ENTER THE CRSTM X,Y,Z FILENAME: \n";
}

const char* const kStop = "Stop - Program terminated.\n";

TEST(PloverFrame, EveryLineIs33CharactersAndTheTitleIsFixed) {
  for (const plover::Frame* frame : {&plover::kFileFrame, &plover::kPointFrame}) {
    for (const std::string_view line : *frame) {
      EXPECT_EQ(line.size(), 33U) << line;
      EXPECT_EQ(line.front(), '*');
      EXPECT_EQ(line.back(), '*');
    }
  }
  EXPECT_EQ(plover::kFileFrame[2], "*           PLOVER              *");
  EXPECT_NE(plover::kPointFrame[2].find("PLOVER"), std::string_view::npos);
}

TEST_F(PloverRun, ConvertsEveryPointToOneGeoLine) {
  write_file("POINTS.XYZ",
             "359987 344917 0\n"
             "500000,300000,12.5,99\n"  // the fourth value is ignored
             "500000 300000\n"          // a short line continues on the next
             "1234.5\n");
  const gridkit::ToolRun run = run_file_form("POINTS.XYZ\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output, file_form_header() + kStop);
  EXPECT_EQ(read_file("GEO.OUT"),
            " 43.00   59.00   59.99   86.00     .00     .00     .00\n"
            " 43.00   34.00   56.68   84.00   15.00   56.95   12.50\n"
            " 43.00   34.00   56.68   84.00   15.00   56.95  ******\n");
}

TEST_F(PloverRun, EmptyPointFileGivesEmptyGeoOut) {
  write_file("EMPTY.XYZ", "");
  write_file("GEO.OUT", "left from an earlier run\n");
  const gridkit::ToolRun run = run_file_form("EMPTY.XYZ\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output, file_form_header() + kStop);
  EXPECT_TRUE(fs::exists(folder_ / "GEO.OUT"));
  EXPECT_EQ(read_file("GEO.OUT"), "");
}

// A mistyped name once created the point file empty, emptied GEO.OUT and
// ended as a success.
TEST_F(PloverRun, MissingPointFileIsAnOpenErrorAndGeoOutStays) {
  write_file("GEO.OUT", "left from an earlier run\n");
  const gridkit::ToolRun run = run_file_form("NEW.XYZ\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.error, "open NEW.XYZ: no such file");
  EXPECT_FALSE(fs::exists(folder_ / "NEW.XYZ"));
  EXPECT_EQ(read_file("GEO.OUT"), "left from an earlier run\n");
}

TEST_F(PloverRun, NameFieldKeepsFirst40CharactersWithoutSurroundingBlanks) {
  const std::string name40 = "A_POINT_FILE_WITH_A_VERY_LONG_NAME.XYZ12";
  ASSERT_EQ(name40.size(), 40U);
  write_file(name40, "359987 344917 0\n");
  const gridkit::ToolRun run = run_file_form(name40 + "IGNORED\n");
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(read_file("GEO.OUT").size(), 55U);

  write_file("P.XYZ", "500000 300000 0\n");
  const gridkit::ToolRun padded = run_file_form("   P.XYZ   \n");
  ASSERT_EQ(padded.status, 0) << padded.error;
  EXPECT_EQ(read_file("GEO.OUT"), " 43.00   34.00   56.68   84.00   15.00   56.95     .00\n");
}

TEST_F(PloverRun, BlankNameIsAskedAgain) {
  write_file("P.XYZ", "359987 344917 0\n");
  const gridkit::ToolRun run = run_file_form("\n   \nP.XYZ\n");
  ASSERT_EQ(run.status, 0) << run.error;
  const std::string retry = "File name missing or blank - please enter file name\n";
  std::size_t count = 0;
  for (std::size_t at = run.output.find(retry); at != std::string::npos;
       at = run.output.find(retry, at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 2U);
  EXPECT_EQ(read_file("GEO.OUT").size(), 55U);
}

TEST_F(PloverRun, BadLineIsReportedWithFileAndLineAndEarlierLinesKept) {
  write_file("BAD.XYZ", "359987 344917 0\n500000 300000 0\n500000 NORTH 0\n359987 344917 0\n");
  const gridkit::ToolRun run = run_file_form("BAD.XYZ\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("BAD.XYZ"), std::string::npos) << run.error;
  EXPECT_NE(run.error.find("line 3"), std::string::npos) << run.error;
  EXPECT_NE(run.error.find("NORTH"), std::string::npos) << run.error;
  EXPECT_EQ(run.error.find('\n'), std::string::npos) << "one line: " << run.error;
  EXPECT_EQ(run.output.find("Stop"), std::string::npos);
  EXPECT_EQ(read_file("GEO.OUT"),
            " 43.00   59.00   59.99   86.00     .00     .00     .00\n"
            " 43.00   34.00   56.68   84.00   15.00   56.95     .00\n");
}

TEST_F(PloverRun, PointFileNamedGeoOutIsRefusedAndKept) {
  // The output would otherwise replace the points it is converting.
  const std::string points = "359987 344917 0\n";
  write_file("GEO.OUT", points);
  const gridkit::ToolRun run = run_file_form("GEO.OUT\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("GEO.OUT"), std::string::npos) << run.error;
  EXPECT_EQ(read_file("GEO.OUT"), points);
}

TEST_F(PloverRun, EndOfConsoleBeforeTheNameIsAnError) {
  const gridkit::ToolRun run = run_file_form("");
  EXPECT_EQ(run.status, 2);
  EXPECT_FALSE(run.error.empty());
  EXPECT_FALSE(fs::exists(folder_ / "GEO.OUT"));
}

// The point form: frame, prompt, LAT and LON as one double record, no Stop.
std::string point_form_header() {
  std::string text;
  for (const std::string_view line : plover::kPointFrame) text += std::string(line) + "\n";
  return text + " ENTER A CRSTM X Y TO CONVERT TO GEODETIC: \n";
}

TEST_F(PloverRun, PointFormPrintsDecimalDegreesOnOneRecord) {
  for (const char* answer : {"500000 300000\n", "500000,300000\n", "500000\n300000\n"}) {
    const gridkit::ToolRun run = gridkit::run_tool(plover::run_plover_point, answer, folder_);
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
  const gridkit::ToolRun run = gridkit::run_tool(plover::run_plover_point, "359987 344917\n", folder_);
  ASSERT_EQ(run.status, 0) << run.error;
  const std::string result = run.output.substr(point_form_header().size());
  EXPECT_EQ(result.substr(24), "       86.000000000000000\n");
}

TEST_F(PloverRun, PointFormRejectsTextAndEarlyEnd) {
  for (const char* answer : {"EAST 300000\n", "500000\n"}) {
    const gridkit::ToolRun run = gridkit::run_tool(plover::run_plover_point, answer, folder_);
    EXPECT_EQ(run.status, 2) << answer;
    EXPECT_FALSE(run.error.empty()) << answer;
  }
}

}  // namespace
