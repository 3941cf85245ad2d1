// HERON2 run in-process through its dialogue, in a scratch folder.
#include <gtest/gtest.h>

#include "gridkit/tool_main.hpp"
#include "tests/support/other_grids.hpp"
#include "tests/support/tool_runs.hpp"
#include "tools/heron2/heron2.hpp"
#include "tools/heron2/tests/network_art.hpp"

namespace heron2::test {
namespace {

const std::string kAnswers = "RIVER.DAT\nIBOUND.ARR\nOUT\n";
const std::string kPrompts =
    "ENTER THE NAME OF THE INPUT RIVER PACKAGE FILE: \n"
    "ENTER THE FILENAME OF THE IBOUND ARRAY: \n"
    "ENTER THE NAME OF THE OUTPUT FILE: \n";

// A package with one record per river cell in scan order: layer 1, stage
// 500 less the row, conductance 42, bottom 1.
std::vector<InputRecord> records_for(const RiverCells& cells) {
  std::vector<InputRecord> records;
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    for (int j = 1; j <= gridkit::NCOL(); ++j) {
      if (cells.river_flag(i, j) == 1) records.push_back({1, i, j, 500.0 - i, 42.0, 1.0, 0, 0});
    }
  }
  return records;
}

// The conductance field of every NEWRIVER.RIV record of a cell.
std::vector<std::string> conductances_of(const std::vector<std::string>& river, int row, int col) {
  char key[24];
  std::snprintf(key, sizeof key, "%10d%10d", row, col);
  std::vector<std::string> out;
  for (std::size_t k = 2; k < river.size(); ++k) {
    if (river[k].compare(10, 20, key) == 0) out.push_back(river[k].substr(40, 10));
  }
  return out;
}

TEST(Heron2Run, StraightLineEndToEnd) {
  ScratchFolder folder;
  RiverCells cells = cells_with({{10, 10, {"RRRRR"}}});
  write_ibound(folder, cells.boundary);
  // The records of the middle cells come in a different order and hold
  // stages the pass replaces; the last record read has layer 3.
  folder.write("RIVER.DAT", package_text(5, 0, 99,
                                         {{1, 10, 10, 100.0, 9.5, 50.0, 0, 0},
                                          {1, 10, 12, 7.0, 9.5, 50.0, 11, 22},
                                          {1, 10, 11, 7.0, 9.5, 50.0, 0, 0},
                                          {1, 10, 13, 7.0, 9.5, 50.0, 0, 0},
                                          {3, 10, 14, 96.0, 9.5, 50.0, 0, 0}}));
  const gridkit::ToolRun run = gridkit::run_tool(run_heron2, kAnswers, folder.path());
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output, kPrompts + "          2\nStop - Program terminated.\n");
  // The header counts the six records that follow (the package said 99 and
  // allowed 5), and standard error says what changed; the second segment
  // repeats the last cell with the bottom the first segment stored (96 - 2.3).
  EXPECT_EQ(run.notes,
            "NEWRIVER.RIV: ITMP written as 6, the number of records (the input package says 99)\n"
            "NEWRIVER.RIV: MXRIVR raised from 5 to 6 to hold every record\n");
  EXPECT_EQ(folder.lines("NEWRIVER.RIV"),
            (std::vector<std::string>{
                "         6         0",
                "         6",
                "         3        10        10     100.0   3.28084      50.0         0      0",
                "         3        10        11      99.0   3.28084      96.7         0      0",
                "         3        10        12      98.0   3.28084      95.7        11     22",
                "         3        10        13      97.0   3.28084      94.7         0      0",
                "         3        10        14      96.0   3.28084      93.7         0      0",
                "         3        10        14      96.0   3.28084      93.7         0      0",
            }));
  EXPECT_EQ(folder.lines("OUT.STG"), (std::vector<std::string>{
                                         "           1           5",
                                         "          10          10      100.000000",
                                         "          11          10       99.000000",
                                         "          12          10       98.000000",
                                         "          13          10       97.000000",
                                         "          14          10       96.000000",
                                         "           2           1",
                                         "          14          10       96.000000",
                                     }));
  EXPECT_EQ(folder.read("PROBLEM.SEG"), "");
  const std::vector<std::string> fl1 = folder.lines("OUT.FL1");
  ASSERT_EQ(fl1.size(), 470u);
  EXPECT_EQ(fl1[9].substr(8, 7), "0S111S0");
  EXPECT_EQ(folder.lines("OUT.OR1")[9].substr(8, 7), "0111110");
  EXPECT_EQ(folder.lines("OUT.FL3")[455].substr(0, 3), "000");
  // The fixed corrections mark both link cells even with no river there.
  EXPECT_EQ(folder.lines("OUT.FL1")[455][37], '1');
  EXPECT_EQ(folder.lines("OUT.FL1")[457][89], '1');
}

TEST(Heron2Run, DistributaryJunctionNeverOpensAndCarriesTheConductanceBeforeIt) {
  ScratchFolder folder;
  RiverCells cells = cells_with({{100, 100, {"R.R", ".R.", ".R.", ".R.", "R.R", "C.C"}}});
  write_ibound(folder, cells.boundary);
  folder.write("RIVER.DAT", package_text(10, 0, 7, records_for(cells)));
  const gridkit::ToolRun run = gridkit::run_tool(run_heron2, kAnswers, folder.path());
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_NE(run.output.find("          3\n"), std::string::npos);
  const std::vector<std::string> river = folder.lines("NEWRIVER.RIV");
  ASSERT_EQ(river.size(), 2u + 7u);
  // Below the order-2 junction the dividing cell keeps order 0: its record
  // takes the order-2 conductance of the record before it, not the input's 42.
  EXPECT_EQ(conductances_of(river, 103, 101), std::vector<std::string>{"   6.56168"});
  EXPECT_EQ(folder.lines("OUT.OR1")[102].substr(99, 3), "000");
  EXPECT_EQ(folder.lines("OUT.FL1")[103].substr(99, 3), "M0M");
}

TEST(Heron2Run, LineEndReachedWithOrderThreeWritesOrderOneTwice) {
  ScratchFolder folder;
  RiverCells cells = cells_with({{300,
                                  200,
                                  {"R.R.R.R.", ".R...R..", ".R...R..", "..R.R...", "...R....",
                                   "..R.R...", ".R...R..", "R.....R."}}});
  write_ibound(folder, cells.boundary);
  folder.write("RIVER.DAT", package_text(10, 0, 7, records_for(cells)));
  const gridkit::ToolRun run = gridkit::run_tool(run_heron2, kAnswers, folder.path());
  ASSERT_EQ(run.status, 0) << run.error;
  const std::vector<std::string> river = folder.lines("NEWRIVER.RIV");
  EXPECT_EQ(conductances_of(river, 307, 206),
            (std::vector<std::string>{"   3.28084", "   3.28084"}));
  EXPECT_EQ(conductances_of(river, 306, 205), std::vector<std::string>{"  65.61680"});
  // The junction closes three segments and opens one.
  EXPECT_EQ(conductances_of(river, 304, 203).size(), 4u);
  EXPECT_EQ(folder.lines("OUT.OR2")[306].substr(200 - 124, 8), "10000010");
}

// A junction is written once for every segment that holds it, so the new
// package has more records than river cells; its header must count them, or
// MODFLOW reads only the first ITMP records.
TEST(Heron2Run, HeaderCountsTheRecordsWrittenAroundJunctions) {
  ScratchFolder folder;
  RiverCells cells = cells_with({{300,
                                  200,
                                  {"R.R.R.R.", ".R...R..", ".R...R..", "..R.R...", "...R....",
                                   "..R.R...", ".R...R..", "R.....R."}}});
  const std::vector<InputRecord> records = records_for(cells);
  write_ibound(folder, cells.boundary);
  folder.write("RIVER.DAT", package_text(20, 40, static_cast<int>(records.size()), records));
  const gridkit::ToolRun run = gridkit::run_tool(run_heron2, kAnswers, folder.path());
  ASSERT_EQ(run.status, 0) << run.error;
  const std::vector<std::string> river = folder.lines("NEWRIVER.RIV");
  ASSERT_EQ(records.size(), 17u);
  ASSERT_EQ(river.size(), 2u + 25u);
  EXPECT_EQ(river[0], "        25        40") << "MXRIVR raised to the count, IRIVCB kept";
  EXPECT_EQ(river[1], "        25");
  EXPECT_EQ(run.notes,
            "NEWRIVER.RIV: ITMP written as 25, the number of records (the input package says 17)\n"
            "NEWRIVER.RIV: MXRIVR raised from 20 to 25 to hold every record\n");
  EXPECT_EQ(run.output, kPrompts + "          9\nStop - Program terminated.\n")
      << "the console dialogue is unchanged";

  // A package whose header already allows more keeps its MXRIVR, silently.
  folder.write("RIVER.DAT", package_text(3000, 40, 25, records));
  const gridkit::ToolRun roomy = gridkit::run_tool(run_heron2, kAnswers, folder.path());
  ASSERT_EQ(roomy.status, 0) << roomy.error;
  EXPECT_EQ(folder.lines("NEWRIVER.RIV")[0], "      3000        40");
  EXPECT_EQ(roomy.notes, "");
}

// River cells no trace reaches (no line end leads to them) once dropped out
// of the package silently; one note now counts them and names the first in
// scan order. The files are those of the package without them.
TEST(Heron2Run, RiverCellsNoTraceReachesAreCountedInOneNote) {
  const Art line{10, 10, {"RRRRR"}};
  // One case a row, laid out by hand.
  // clang-format off
  const struct { const char* why; std::vector<Art> pictures; std::string note; } cases[] = {
      {"every cell traced", {}, ""},
      {"a ring", {{50, 60, {"RRR", "R.R", "RRR"}}},
       "8 river cells are reached by no trace (a ring, "
       "a block or a lone cell) and not written to NEWRIVER.RIV; the first is row 50, column 60"},
      {"a block", {{80, 30, {"RR", "RR"}}}, "4 river cells are"},
      {"a lone cell and a ring", {{200, 5, {"R"}}, {50, 60, {"RRR", "R.R", "RRR"}}},
       "9 river cells are reached by no trace (a ring, "
       "a block or a lone cell) and not written to NEWRIVER.RIV; the first is row 50, column 60"},
      {"a lone cell", {{200, 5, {"R"}}}, "1 river cell is reached by no trace"},
  };
  // clang-format on
  ScratchFolder alone;
  const RiverCells line_cells = cells_with({line});
  write_ibound(alone, line_cells.boundary);
  alone.write("RIVER.DAT", package_text(100, 0, 5, records_for(line_cells)));
  ASSERT_EQ(gridkit::run_tool(run_heron2, kAnswers, alone.path()).status, 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    ScratchFolder folder;
    std::vector<Art> pictures = c.pictures;
    pictures.push_back(line);
    const RiverCells cells = cells_with(pictures);
    write_ibound(folder, cells.boundary);
    folder.write("RIVER.DAT", package_text(100, 0, 5, records_for(cells)));
    const gridkit::ToolRun run = gridkit::run_tool(run_heron2, kAnswers, folder.path());
    ASSERT_EQ(run.status, 0) << run.error;
    const std::string untraced_notes = run.notes.substr(0, run.notes.find("NEWRIVER.RIV: ITMP"));
    if (c.note.empty()) {
      EXPECT_EQ(untraced_notes, "");
    } else {
      EXPECT_EQ(untraced_notes.rfind("RIVER.DAT: " + c.note, 0), 0u) << untraced_notes;
      EXPECT_EQ(kit_test::count_of(untraced_notes, "\n"), 1) << untraced_notes;
    }
    EXPECT_EQ(folder.read("NEWRIVER.RIV"), alone.read("NEWRIVER.RIV"));
    EXPECT_EQ(folder.read("OUT.STG"), alone.read("OUT.STG"));
  }
}

TEST(Heron2Run, RecordOutsideTheGridIsReportedWithItsLine) {
  ScratchFolder folder;
  write_ibound(folder, cells_with({}).boundary);
  folder.write(
      "RIVER.DAT",
      package_text(5, 0, 2, {{1, 10, 10, 1.0, 1.0, 1.0, 0, 0}, {1, 10, 400, 1.0, 1.0, 1.0, 0, 0}}));
  const gridkit::ToolRun run = gridkit::run_tool(run_heron2, kAnswers, folder.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("RIVER.DAT line 4"), std::string::npos) << run.error;
  EXPECT_NE(run.error.find("column 400"), std::string::npos) << run.error;
}

// On any grid a river may run to the grid's edge: the trace stops there, and
// there are as many class and order maps as the row has pieces of 123
// columns, each line as long as its piece. A grid of one row or one column
// has no interior cell, so no line end and no segment.
TEST(Heron2Run, RiverToTheEdgeOfAnyGrid) {
  // One case a row, laid out by hand.
  // clang-format off
  const struct { const char* grid; Art river; int segments; int reaches; } cases[] = {
      {"97 x 53 of 250", {20, 90, {"RRRRRRRR"}},                  1, 8},
      {"33 x 3 of 500",  {2, 28, {"RRRRRR"}},                     1, 6},
      {"1 row",          {1, 35, {"RRRRRR"}},                     0, 0},
      {"1 column",       {35, 1, {"R", "R", "R", "R", "R", "R"}}, 0, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    const kit_test::OtherGrid* g = nullptr;
    for (const kit_test::OtherGrid& other : kit_test::other_grids())
      if (std::string(other.name) == c.grid) g = &other;
    ASSERT_NE(g, nullptr) << c.grid;
    ScratchFolder folder;
    const kit_test::OnGrid on_grid(folder, g->grid);
    RiverCells cells = cells_with({c.river});
    write_ibound(folder, cells.boundary);
    folder.write("RIVER.DAT", package_text(10, 0, 6, records_for(cells)));
    const gridkit::ToolRun run = gridkit::run_tool(run_heron2, kAnswers, folder.path());
    ASSERT_EQ(run.status, 0) << c.grid << ": " << run.error;
    EXPECT_EQ(run.output, kPrompts + "          " + std::to_string(c.segments) +
                              "\nStop - Program terminated.\n")
        << c.grid;
    EXPECT_EQ(folder.lines("NEWRIVER.RIV").size(), 2u + static_cast<std::size_t>(c.reaches))
        << c.grid;
    const std::size_t pieces = (static_cast<std::size_t>(g->grid.columns) + 122) / 123;
    for (const char* kind : {"OUT.FL", "OUT.OR"}) {
      for (std::size_t p = 1; p <= pieces + 1; ++p) {
        const std::string name = kind + std::to_string(p);
        ASSERT_EQ(folder.has(name), p <= pieces) << c.grid << " " << name;
        if (p > pieces) continue;
        const std::vector<std::string> lines = folder.lines(name);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(g->grid.rows)) << c.grid << " " << name;
        const std::size_t width = std::min<std::size_t>(123, g->grid.columns - (p - 1) * 123);
        for (const std::string& line : lines)
          EXPECT_EQ(line.size(), width) << c.grid << " " << name;
      }
    }
  }
}

}  // namespace
}  // namespace heron2::test
