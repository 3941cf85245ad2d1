// A network of 459 river cells run end to end: three branching trees (one
// into a constant-head lake, one ending in a line end, one with branches of
// orders 2 and 1), an uphill line and the fixed link. The expected values
// come from the drawing, not from the program: class and segment counts,
// record counts, a few segments worked out by hand, and invariants that
// every record must keep.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "gridkit/tool_main.hpp"
#include "tools/heron2/heron2.hpp"
#include "tools/heron2/tests/network_art.hpp"

namespace heron2::test {
namespace {

// A branching node at (r, c): branches climb diagonally north-west and
// north-east over `h` cells to a child node of its own depth (depth 0 is a
// line end). With h = 2^depth the subtrees never touch, every node is a
// junction with river at NW, NE and one southern cell, and every branch end
// is a line end.
void draw_node(RiverCells& cells, int r, int c, int h, int left_depth, int right_depth);

void draw_tree(RiverCells& cells, int r, int c, int depth) {
  cells.river_flag(r, c) = 1;
  if (depth > 0) draw_node(cells, r, c, 1 << depth, depth - 1, depth - 1);
}

void draw_node(RiverCells& cells, int r, int c, int h, int left_depth, int right_depth) {
  cells.river_flag(r, c) = 1;
  for (int t = 1; t < h; ++t) {
    cells.river_flag(r - t, c - t) = 1;
    cells.river_flag(r - t, c + t) = 1;
  }
  draw_tree(cells, r - h, c - h, left_depth);
  draw_tree(cells, r - h, c + h, right_depth);
}

void draw_stem(RiverCells& cells, int first_row, int last_row, int col) {
  for (int i = first_row; i <= last_row; ++i) cells.river_flag(i, col) = 1;
}

struct RiverRecord {
  int row;
  int col;
  double stage;
  std::string conductance;
  double bottom;
  int iextra1;
  int iextra2;
};

RiverRecord parse_record(const std::string& line) {
  return {std::stoi(line.substr(10, 10)), std::stoi(line.substr(20, 10)),
          std::stod(line.substr(30, 10)), line.substr(40, 10),
          std::stod(line.substr(50, 10)), std::stoi(line.substr(60, 10)),
          std::stoi(line.substr(70, 7))};
}

class LargeNetwork : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<ScratchFolder>();
    RiverCells cells = cells_with({});
    // Tree A: depth 5 (32 line ends, 31 junctions), stem into a lake.
    draw_tree(cells, 80, 100, 5);
    draw_stem(cells, 81, 100, 100);
    draw(Art{101, 99, {"CCC"}}, cells);
    // Tree B: depth 3, its stem ending in a line end.
    draw_tree(cells, 150, 250, 3);
    draw_stem(cells, 151, 160, 250);
    // Tree C: an order-2 branch and an order-1 branch, stem into a lake.
    draw_node(cells, 220, 60, 8, 1, 0);
    draw_stem(cells, 221, 240, 60);
    draw(Art{241, 58, {"CCCCC"}}, cells);
    // D: a line whose stage rises 40 downstream; E: through the fixed link.
    draw(Art{300, 100, {"RRRRR"}}, cells);
    draw(Art{458, 90, {"RRRRRR"}}, cells);
    draw(Art{456, 31, {"CRRRRRRR"}}, cells);

    std::vector<InputRecord> records;
    for (int i = 1; i <= gridkit::NROW(); ++i) {
      for (int j = 1; j <= gridkit::NCOL(); ++j) {
        if (cells.river_flag(i, j) != 1) continue;
        ++river_cells_;
        const double stage = i == 300 ? (j == 104 ? 140.0 : 100.0) : 900.0 - i;
        records.push_back({1, i, j, stage, 42.0, 1.0, i % 7, j % 5});
      }
    }
    write_ibound(*folder_, cells.boundary);
    folder_->write("RIVER.DAT", package_text(600, 0, 459, records));
    run_ = std::make_unique<gridkit::ToolRun>(
        gridkit::run_tool(run_heron2, "RIVER.DAT\nIBOUND.ARR\nNET\n", folder_->path()));
  }
  static void TearDownTestSuite() {
    run_.reset();
    folder_.reset();
  }
  static void draw(const Art& art, RiverCells& cells) { heron2::test::draw(cells, art); }

  static std::vector<RiverRecord> records() {
    const std::vector<std::string> lines = folder_->lines("NEWRIVER.RIV");
    std::vector<RiverRecord> out;
    for (std::size_t k = 2; k < lines.size(); ++k) out.push_back(parse_record(lines[k]));
    return out;
  }
  static std::vector<std::string> map_rows(const std::string& name) { return folder_->lines(name); }
  static char map_char(const std::string& base_ext, int row, int col) {
    const int part = col <= 123 ? 1 : col <= 246 ? 2 : 3;
    const int first = part == 1 ? 1 : part == 2 ? 124 : 247;
    return folder_->lines(base_ext + std::to_string(part))[row - 1][col - first];
  }

  static inline std::unique_ptr<ScratchFolder> folder_;
  static inline std::unique_ptr<gridkit::ToolRun> run_;
  static inline int river_cells_ = 0;
};

TEST_F(LargeNetwork, RunsAndCountsSegmentsAsDrawn) {
  ASSERT_EQ(run_->status, 0) << run_->error;
  EXPECT_EQ(river_cells_, 459);
  // A: 32 + 31 segments; B: 8 + 7 and the repeated end; C: 3 + 2; D: 2; E: 1.
  EXPECT_NE(run_->output.find("\n         87\nStop - Program terminated.\n"), std::string::npos)
      << run_->output;
  // Every cell once per segment holding it: junctions three times, the two
  // line ends that a trace reached before the scan twice.
  EXPECT_EQ(records().size(), 459u + 2u * 40u + 2u);
}

TEST_F(LargeNetwork, MapFilesHaveTheirShapeAndTheDrawnClasses) {
  const std::array<std::size_t, 3> widths{123, 123, 115};
  std::map<char, int> classes;
  for (int part = 1; part <= 3; ++part) {
    const std::vector<std::string> fl = map_rows("NET.FL" + std::to_string(part));
    const std::vector<std::string> order = map_rows("NET.OR" + std::to_string(part));
    ASSERT_EQ(fl.size(), 470u);
    ASSERT_EQ(order.size(), 470u);
    for (std::size_t i = 0; i < 470; ++i) {
      ASSERT_EQ(fl[i].size(), widths[part - 1]) << "FL" << part << " line " << i + 1;
      ASSERT_EQ(order[i].size(), widths[part - 1]) << "OR" << part << " line " << i + 1;
      for (const char c : fl[i]) ++classes[c];
      for (const char c : order[i]) EXPECT_TRUE(c >= '0' && c <= '9') << c;
    }
  }
  // Line ends: 32 + 8 + 1 + 3 + 2 + 1; mouths: the two lakes and the link's
  // end; junctions: 31 + 7 + 2. The corrected link target is a "1" of its own.
  EXPECT_EQ(classes['S'], 47);
  EXPECT_EQ(classes['M'], 3);
  EXPECT_EQ(classes['*'], 40);
  EXPECT_EQ(classes['1'], 459 - 47 - 3 - 40);
}

TEST_F(LargeNetwork, EveryRiverCellIsTracedAndEveryRecordKeepsItsRules) {
  const std::vector<RiverRecord> all = records();
  std::set<std::pair<int, int>> written;
  for (const RiverRecord& r : all) {
    written.insert({r.row, r.col});
    EXPECT_EQ(r.iextra1, r.row % 7);
    EXPECT_EQ(r.iextra2, r.col % 5);
    const bool line_end = map_char("NET.FL", r.row, r.col) == 'S';
    if (r.row != 300 && r.row != 456 && r.row != 458) {
      EXPECT_DOUBLE_EQ(r.stage, 900.0 - r.row) << r.row << "," << r.col;
    }
    // The bottom lies 2.3 below the stage, except the input bottom (1.0)
    // kept by a first reach at a line end.
    if (!(line_end && r.bottom == 1.0)) {
      EXPECT_NEAR(r.stage - r.bottom, 2.3, 1e-6) << r.row << "," << r.col;
    }
    EXPECT_NE(map_char("NET.OR", r.row, r.col), '0') << r.row << "," << r.col;
  }
  EXPECT_EQ(written.size(), 459u);
}

TEST_F(LargeNetwork, FirstSegmentsWorkedOutByHand) {
  // Tree A's leaves lie on row 18, 4 columns apart from column 38. The first
  // climbs to the junction at (20,40), which waits for (18,42); the segment
  // below that junction runs on to (24,44), which waits for its other side.
  const std::vector<std::string> lines = folder_->lines("NEWRIVER.RIV");
  // The package read says 459 records; junctions written once per segment
  // make 541, which the header now counts (MXRIVR 600 already allows them).
  EXPECT_EQ(lines[0], "       600         0");
  EXPECT_EQ(lines[1], "       541");
  EXPECT_EQ(lines.size(), 2u + 541u);
  const std::vector<std::string> expected{
      "         1        18        38     882.0   3.28084       1.0         4      3",
      "         1        19        39     881.0   3.28084     878.7         5      4",
      "         1        20        40     880.0   6.56168     877.7         6      0",
      "         1        18        42     882.0   3.28084       1.0         4      2",
      "         1        19        41     881.0   3.28084     878.7         5      1",
      "         1        20        40     880.0   6.56168     877.7         6      0",
      "         1        20        40     880.0   6.56168     877.7         6      0",
      "         1        21        41     879.0   6.56168     876.7         0      1",
      "         1        22        42     878.0   6.56168     875.7         1      2",
      "         1        23        43     877.0   6.56168     874.7         2      3",
      "         1        24        44     876.0  65.61680     873.7         3      4",
  };
  for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(lines[2 + k], expected[k]) << k;
  const std::vector<std::string> stg = folder_->lines("NET.STG");
  EXPECT_EQ(stg[0], "           1           3");
  EXPECT_EQ(stg[4], "           2           3");
  EXPECT_EQ(stg[8], "           3           5");
}

TEST_F(LargeNetwork, OrdersAlongTheStems) {
  const std::vector<RiverRecord> all = records();
  for (const RiverRecord& r : all) {
    // Tree A's stem is order 6: no conductance of its own, it carries the
    // order-5 value of the record before it.
    if (r.col == 100 && r.row >= 80 && r.row <= 100) {
      EXPECT_EQ(r.conductance, " 262.46720");
    }
    // Tree C joins orders 2 and 1 at (220,60): order 2 below.
    if (r.col == 60 && r.row >= 220) {
      EXPECT_EQ(r.conductance, "   6.56168");
    }
    // Tree B's stem is order 4, but its end, a line end, is set back to 1.
    if (r.col == 250 && r.row >= 150 && r.row < 160) {
      EXPECT_EQ(r.conductance, " 196.85040");
    }
    if (r.col == 250 && r.row == 160) {
      EXPECT_EQ(r.conductance, "   3.28084");
    }
  }
  EXPECT_EQ(map_char("NET.OR", 90, 100), '6');
  EXPECT_EQ(map_char("NET.OR", 159, 250), '4');
  EXPECT_EQ(map_char("NET.OR", 160, 250), '1');
  EXPECT_EQ(map_char("NET.OR", 230, 60), '2');
  EXPECT_EQ(map_char("NET.FL", 100, 100), 'M');
  EXPECT_EQ(map_char("NET.FL", 80, 100), '*');
}

TEST_F(LargeNetwork, UphillLineIsReportedWithItsPosition) {
  EXPECT_EQ(folder_->lines("PROBLEM.SEG"),
            (std::vector<std::string>{
                "UPHILL OR FLAT SEGMENT FROM COL 100 ROW 300 TO COL 104 ROW 300",
                "      100.000000      140.000000      -40.000000",
                " ",
                // Node X 389568, Y 258128: 43.2179495 N, 85.6358007 W by a
                // separate desk calculation; sheet row 22, column 10.
                "STARTING REACH AT:  43 13  4      85 38  8     QUAD: R20",
            }));
  // Its reaches rise 10 a reach; the repeated end keeps the stored values.
  std::vector<RiverRecord> d;
  for (const RiverRecord& r : records()) {
    if (r.row == 300) d.push_back(r);
  }
  ASSERT_EQ(d.size(), 6u);
  EXPECT_DOUBLE_EQ(d[2].stage, 120.0);
  EXPECT_DOUBLE_EQ(d[2].bottom, 117.7);
  EXPECT_DOUBLE_EQ(d[5].stage, 140.0);
  EXPECT_DOUBLE_EQ(d[5].bottom, 137.7);
}

TEST_F(LargeNetwork, FixedLinkSegmentRunsOnAcrossTheJump) {
  const std::vector<RiverRecord> all = records();
  std::vector<std::pair<int, int>> tail;
  for (std::size_t k = all.size() - 13; k < all.size(); ++k)
    tail.push_back({all[k].row, all[k].col});
  const std::vector<std::pair<int, int>> expected{
      {458, 95}, {458, 94}, {458, 93}, {458, 92}, {458, 91}, {458, 90}, {456, 38},
      {456, 37}, {456, 36}, {456, 35}, {456, 34}, {456, 33}, {456, 32}};
  EXPECT_EQ(tail, expected);
  // The stage climbs from 442 (row 458) to 444 (row 456) in 12 steps of 1/6.
  const std::vector<double> stages{442.0, 442.2, 442.3, 442.5, 442.7, 442.8, 443.0,
                                   443.2, 443.3, 443.5, 443.7, 443.8, 444.0};
  for (std::size_t k = 0; k < stages.size(); ++k) {
    EXPECT_DOUBLE_EQ(all[all.size() - 13 + k].stage, stages[k]) << k;
  }
}

}  // namespace
}  // namespace heron2::test
