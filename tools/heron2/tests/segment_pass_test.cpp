// The segment pass on hand-set cells and segments: interpolation in single
// precision, bottoms, the uphill report and the conductance carried from
// record to record. Expected texts were worked out by hand; the position
// line by a separate desk calculation of the inverse projection.
#include <gtest/gtest.h>

#include "gridkit/textfile.hpp"
#include "tools/heron2/segment_pass.hpp"
#include "tools/heron2/tests/network_art.hpp"

namespace heron2::test {
namespace {

struct PassOutput {
  std::vector<std::string> river;
  std::vector<std::string> stages;
  std::vector<std::string> problem;
};

// Runs the pass with the files in a scratch folder and reads them back.
PassOutput run_pass(RiverCells& cells, const std::vector<Segment>& segments, int layer,
                    float& conductance) {
  ScratchFolder folder;
  {
    gridkit::OutFile river(folder.path() / "NEWRIVER.RIV", "NEWRIVER.RIV");
    gridkit::OutFile stages(folder.path() / "T.STG", "T.STG");
    gridkit::OutFile problem(folder.path() / "PROBLEM.SEG", "PROBLEM.SEG");
    write_segments(cells, segments, layer, conductance, {river, stages, problem});
  }
  return {folder.lines("NEWRIVER.RIV"), folder.lines("T.STG"), folder.lines("PROBLEM.SEG")};
}

void set_cell(RiverCells& cells, gridkit::Cell c, float stage, float bottom, int order) {
  cells.river_flag(c.row, c.col) = 1;
  cells.stage(c.row, c.col) = stage;
  cells.bottom(c.row, c.col) = bottom;
  cells.stream_order(c.row, c.col) = order;
}

TEST(SegmentPass, StagesFallBySingleReachStepsAndAreStoredBack) {
  RiverCells cells;
  set_cell(cells, {100, 100}, 100.0f, 80.0f, 1);
  set_cell(cells, {100, 101}, 55.0f, 1.0f, 1);
  set_cell(cells, {100, 102}, 55.0f, 2.0f, 1);
  set_cell(cells, {100, 103}, 90.0f, 50.0f, 1);
  cells.iextra1(100, 102) = 7;
  cells.iextra2(100, 102) = -3;
  const std::vector<Segment> segments{{{{100, 100}, {100, 101}, {100, 102}, {100, 103}}}};
  float conductance = 0.0f;
  const PassOutput out = run_pass(cells, segments, 2, conductance);
  // gradient = 10 / 3 in single precision = 3.33333325; 100 - gradient rounds to
  // 96.66666412, 100 - 2 gradient to 93.33333588, 100 - 3 gradient to exactly 90.
  EXPECT_EQ(out.river,
            (std::vector<std::string>{
                "         2       100       100     100.0   3.28084      80.0         0      0",
                "         2       100       101      96.7   3.28084      94.4         0      0",
                "         2       100       102      93.3   3.28084      91.0         7     -3",
                "         2       100       103      90.0   3.28084      87.7         0      0",
            }));
  EXPECT_EQ(out.stages, (std::vector<std::string>{
                            "           1           4",
                            "         100         100      100.000000",
                            "         101         100       96.666660",
                            "         102         100       93.333340",
                            "         103         100       90.000000",
                        }));
  EXPECT_TRUE(out.problem.empty());
  EXPECT_EQ(cells.stage(100, 103), 90.0f);
  EXPECT_EQ(cells.bottom(100, 103), 90.0f - 2.3f);
  EXPECT_EQ(cells.bottom(100, 100), 80.0f);  // the first reach keeps its bottom
}

TEST(SegmentPass, UphillLimitIsThirtyInclusive) {
  RiverCells cells;
  set_cell(cells, {100, 100}, 100.0f, 0.0f, 1);
  set_cell(cells, {100, 101}, 130.0f, 0.0f, 1);  // difference exactly 30.0: reported
  set_cell(cells, {200, 100}, 100.0f, 0.0f, 1);
  set_cell(cells, {200, 101}, 129.9f, 0.0f, 1);  // 29.9: not reported
  set_cell(cells, {300, 100}, 100.0f, 0.0f, 1);
  set_cell(cells, {300, 101}, 100.0f, 0.0f, 1);  // flat: not reported
  const std::vector<Segment> segments{
      {{{100, 100}, {100, 101}}}, {{{200, 100}, {200, 101}}}, {{{300, 100}, {300, 101}}}};
  float conductance = 0.0f;
  const PassOutput out = run_pass(cells, segments, 1, conductance);
  const std::string uphill = "UPHILL OR FLAT SEGMENT FROM COL 100 ROW 100 TO COL 101 ROW 100";
  const std::string stage_record = "      100.000000      130.000000      -30.000000";
  EXPECT_EQ(out.problem,
            (std::vector<std::string>{
                uphill,
                stage_record,
                " ",
                // Latitude 45.0185938 N, longitude 85.6245691 W; sheet row 7, column 11.
                "STARTING REACH AT:  45  1  6      85 37 28     QUAD: J20",
            }));
  ASSERT_GE(out.stages.size(), 5u);
  EXPECT_EQ(out.stages[0], "           1           2");
  EXPECT_EQ(out.stages[1], uphill);
  EXPECT_EQ(out.stages[2], stage_record);
  EXPECT_EQ(out.stages[3], "         100         100      100.000000");
  EXPECT_EQ(out.stages.size(), 3u * 3u + 2u);  // three segments of two reaches, one uphill
}

TEST(SegmentPass, OrdersOutsideOneToFiveCarryThePreviousConductance) {
  RiverCells cells;
  const std::vector<int> orders{0, 1, 6, 0, 3, 7, 4, 5, 12};
  Segment segment;
  for (std::size_t k = 0; k < orders.size(); ++k) {
    const gridkit::Cell c{50, 20 + static_cast<int>(k)};
    set_cell(cells, c, 10.0f, 5.0f, orders[k]);
    segment.reaches.push_back(c);
  }
  float conductance = 123.0f;  // as the last input record left it
  const PassOutput out = run_pass(cells, {segment}, 1, conductance);
  ASSERT_EQ(out.river.size(), orders.size());
  const std::vector<std::string> expected{"123.00000", "3.28084",   "3.28084",
                                          "3.28084",   "65.61680",  "65.61680",
                                          "196.85040", "262.46720", "262.46720"};
  for (std::size_t k = 0; k < orders.size(); ++k) {
    const std::string field = out.river[k].substr(40, 10);
    EXPECT_EQ(field, std::string(10 - expected[k].size(), ' ') + expected[k])
        << "order " << orders[k];
  }
  EXPECT_EQ(conductance, 262.467194f);
}

TEST(SegmentPass, LaterSegmentTakesTheStageStoredWhereAnEarlierOneEnded) {
  RiverCells cells;
  set_cell(cells, {10, 10}, 50.0f, 40.0f, 1);
  set_cell(cells, {10, 11}, 0.0f, 0.0f, 1);
  set_cell(cells, {10, 12}, 10.0f, 1.0f, 2);  // the junction
  set_cell(cells, {11, 12}, 0.0f, 0.0f, 2);
  set_cell(cells, {20, 20}, 33.3f, 30.1f, 1);  // a lone one-reach segment
  const std::vector<Segment> segments{
      {{{10, 10}, {10, 11}, {10, 12}}}, {{{10, 12}, {11, 12}}}, {{{20, 20}}}};
  float conductance = 0.0f;
  const PassOutput out = run_pass(cells, segments, 1, conductance);
  EXPECT_EQ(out.river,
            (std::vector<std::string>{
                "         1        10        10      50.0   3.28084      40.0         0      0",
                "         1        10        11      30.0   3.28084      27.7         0      0",
                "         1        10        12      10.0   6.56168       7.7         0      0",
                "         1        10        12      10.0   6.56168       7.7         0      0",
                "         1        11        12        .0   6.56168      -2.3         0      0",
                "         1        20        20      33.3   3.28084      30.1         0      0",
            }));
}

TEST(SegmentPass, UphillLineLayout) {
  EXPECT_EQ(uphill_line({5, 7}, {123, 361}),
            "UPHILL OR FLAT SEGMENT FROM COL   7 ROW   5 TO COL 361 ROW 123");
}

}  // namespace
}  // namespace heron2::test
