// Classification and trace on small networks drawn as text. Each expected
// picture was worked out by hand from the rules of the tool.
#include <gtest/gtest.h>

#include <array>

#include "tools/heron2/classify.hpp"
#include "tools/heron2/tests/network_art.hpp"
#include "tools/heron2/trace.hpp"

namespace heron2::test {
namespace {

std::vector<std::string> reach_lists(const std::vector<Segment>& segments) {
  std::vector<std::string> out;
  for (const Segment& s : segments) out.push_back(reach_list(s));
  return out;
}

// The class of the centre of a 3 x 3 pattern, by its river neighbours (N8), its
// dry edge neighbours (N4C) and the corner rules.
struct PatternCase {
  std::vector<std::string> pattern;
  char expected;
  const char* why;
};

TEST(Classify, CentreOfEachNeighbourPattern) {
  const std::vector<PatternCase> cases = {
      {{"...", ".R.", "..R"}, 'S', "one neighbour"},
      {{"..C", ".R.", "R.."}, 'M', "one neighbour and a constant-head corner"},
      {{"...", ".RR", "C.."}, 'M', "constant head diagonal, river east"},
      {{"R..", ".R.", "..R"}, '1', "two neighbours"},
      {{"R.R", ".R.", ".R."}, '*', "N8 3, N4C 3, southern corners dry"},
      {{"..R", ".RR", "..R"}, '*', "N8 3, N4C 3, western corners dry"},
      {{"RR.", ".R.", "..R"}, '1', "N8 3, N4C 3, no pair of corners dry"},
      {{".R.", "RRR", "..."}, '*', "N8 3, three edge neighbours"},
      {{"R.R", ".R.", "R.."}, '*', "N8 3, three corners"},
      {{".R.", ".RR", "R.."}, '*', "N8 3, N4C 2, one of E/W and one of N/S"},
      {{".RR", ".R.", ".R."}, '1', "N8 3, N4C 2, north and south only"},
      {{"..R", "RRR", "..."}, '1', "N8 3, N4C 2, west and east only"},
      {{"RR.", "RRR", "..."}, '*', "N8 4, N4C 1"},
      {{"R.R", ".R.", "R.R"}, '*', "N8 4, four corners"},
      {{"RRR", "RR.", "..."}, '1', "N8 4, N4C 2"},
      {{"R.R", ".RR", "..R"}, '1', "N8 4, N4C 3"},
      {{"R.R", ".R.", "RRR"}, '*', "N8 5, N4C 3"},
      {{"RRR", "RR.", "R.."}, '1', "N8 5, N4C 2"},
      {{"RRR", "RRR", "..."}, '1', "N8 5, N4C 1"},
      {{"RRR", "RRR", "RRR"}, '1', "N8 8"},
  };
  std::vector<Art> arts;
  for (std::size_t k = 0; k < cases.size(); ++k) {
    arts.push_back({20 + 5 * static_cast<int>(k), 50, cases[k].pattern});
  }
  RiverCells cells = cells_with(arts);
  classify_cells(cells.river_flag, cells.boundary, cells.cell_class);
  for (std::size_t k = 0; k < cases.size(); ++k) {
    EXPECT_EQ(map_char(cells.cell_class(arts[k].row + 1, arts[k].col + 1)), cases[k].expected)
        << cases[k].why;
  }
  EXPECT_EQ(map_char(cells.cell_class(1, 1)), '0');
}

TEST(Classify, OuterRowsAndColumnsStayPlainAndTheLinkCellsAreCorrected) {
  const Art top{1, 10, {"RRR"}};
  const Art link_from{458, 89, {"R"}};  // beside (458, 90): alone, it would be a line end
  RiverCells cells = cells_with({top, link_from, {458, 90, {"R"}}});
  classify_cells(cells.river_flag, cells.boundary, cells.cell_class);
  EXPECT_EQ(class_picture(cells, top), std::vector<std::string>{"111"});
  EXPECT_EQ(map_char(cells.cell_class(458, 90)), 'S');
  apply_fixed_corrections(cells.cell_class);
  EXPECT_EQ(map_char(cells.cell_class(458, 90)), '1');
  // The correction marks the link target even where there is no river.
  EXPECT_EQ(map_char(cells.cell_class(456, 38)), '1');
}

TEST(Trace, StraightLineHasTwoEndsAndTheSecondOpensAOneReachSegment) {
  const Art line{10, 10, {"RRRRR"}};
  RiverCells cells = cells_with({line});
  const std::vector<Segment> segments = classify_and_trace(cells);
  EXPECT_EQ(class_picture(cells, line), std::vector<std::string>{"S111S"});
  EXPECT_EQ(reach_lists(segments),
            (std::vector<std::string>{"(10,10) (10,11) (10,12) (10,13) (10,14)", "(10,14)"}));
  EXPECT_EQ(order_picture(cells, line), std::vector<std::string>{"11111"});
}

TEST(Trace, LineBesideConstantHeadEndsInAMouthWhereNoSegmentStarts) {
  const Art line{10, 10, {"RRRRC"}};
  RiverCells cells = cells_with({line});
  const std::vector<Segment> segments = classify_and_trace(cells);
  EXPECT_EQ(class_picture(cells, line), std::vector<std::string>{"S11M0"});
  EXPECT_EQ(reach_lists(segments), (std::vector<std::string>{"(10,10) (10,11) (10,12) (10,13)"}));
}

TEST(Trace, TwoFirstOrderBranchesGiveOrderTwoAndTheEndIsSetBackToOne) {
  const Art y{100, 100, {"R.R", ".R.", ".R.", ".R.", ".R."}};
  RiverCells cells = cells_with({y});
  const std::vector<Segment> segments = classify_and_trace(cells);
  EXPECT_EQ(class_picture(cells, y), (std::vector<std::string>{"S0S", "0*0", "010", "010", "0S0"}));
  EXPECT_EQ(reach_lists(segments), (std::vector<std::string>{
                                       "(100,100) (101,101)",
                                       "(100,102) (101,101)",
                                       "(101,101) (102,101) (103,101) (104,101)",
                                       "(104,101)",
                                   }));
  // The last cell was reached with order 2; the scan sets it back to 1.
  EXPECT_EQ(order_picture(cells, y), (std::vector<std::string>{"1.1", ".2.", ".2.", ".2.", ".1."}));
}

TEST(Trace, BranchesOfOrdersTwoAndOneGiveOrderTwo) {
  const Art net{200, 50, {"R.R..", ".R...", ".R..R", ".R.R.", "..R..", "..R..", "..R..", "..C.."}};
  RiverCells cells = cells_with({net});
  const std::vector<Segment> segments = classify_and_trace(cells);
  EXPECT_EQ(class_picture(cells, net),
            (std::vector<std::string>{"S0S00", "0*000", "0100S", "01010", "00*00", "00100", "00M00",
                                      "00000"}));
  EXPECT_EQ(reach_lists(segments), (std::vector<std::string>{
                                       "(200,50) (201,51)",
                                       "(200,52) (201,51)",
                                       "(201,51) (202,51) (203,51) (204,52)",
                                       "(202,54) (203,53) (204,52)",
                                       "(204,52) (205,52) (206,52)",
                                   }));
  EXPECT_EQ(order_picture(cells, net),
            (std::vector<std::string>{"1.1..", ".2...", ".2..1", ".2.1.", "..2..", "..2..", "..2..",
                                      "....."}));
}

const Art kThreeBranches{300,
                         200,
                         {"R.R.R.R.", ".R...R..", ".R...R..", "..R.R...", "...R....", "..R.R...",
                          ".R...R..", "R.....R.", ".......C"}};

TEST(Trace, BranchesOfOrdersTwoTwoAndOneGiveThreeAndTheJunctionWaits) {
  RiverCells cells = cells_with({kThreeBranches});
  const std::vector<Segment> segments = classify_and_trace(cells);
  EXPECT_EQ(class_picture(cells, kThreeBranches),
            (std::vector<std::string>{"S0S0S0S0", "0*000*00", "01000100", "00101000", "000*0000",
                                      "00101000", "01000100", "S00000M0", "00000000"}));
  // The junction at (304,203) ends segments 3 and 6 while branches are
  // still untraced; the segment below it opens only after the third branch.
  EXPECT_EQ(reach_lists(segments), (std::vector<std::string>{
                                       "(300,200) (301,201)",
                                       "(300,202) (301,201)",
                                       "(301,201) (302,201) (303,202) (304,203)",
                                       "(300,204) (301,205)",
                                       "(300,206) (301,205)",
                                       "(301,205) (302,205) (303,204) (304,203)",
                                       "(307,200) (306,201) (305,202) (304,203)",
                                       "(304,203) (305,204) (306,205) (307,206)",
                                   }));
  EXPECT_EQ(order_picture(cells, kThreeBranches),
            (std::vector<std::string>{"1.1.1.1.", ".2...2..", ".2...2..", "..2.2...", "...3....",
                                      "..1.3...", ".1...3..", "1.....3.", "........"}));
}

TEST(Trace, LineEndReachedWithOrderThreeIsSetBackToOne) {
  Art open_end = kThreeBranches;
  open_end.lines.back() = "........";  // no constant head: the end is a line end
  RiverCells cells = cells_with({open_end});
  const std::vector<Segment> segments = classify_and_trace(cells);
  ASSERT_EQ(segments.size(), 9u);
  EXPECT_EQ(reach_list(segments[7]), "(304,203) (305,204) (306,205) (307,206)");
  EXPECT_EQ(reach_list(segments[8]), "(307,206)");
  EXPECT_EQ(cells.stream_order(306, 205), 3);
  EXPECT_EQ(cells.stream_order(307, 206), 1);
}

TEST(Trace, NeighboursAreTriedNorthWestToSouthEast) {
  // At (51,12) both the north-east and the east neighbour are untraced:
  // north-east comes first, and the east cell is reached from it.
  const Art net{50, 10, {"...R", "RRRR"}};
  RiverCells cells = cells_with({net});
  const std::vector<Segment> segments = classify_and_trace(cells);
  EXPECT_EQ(reach_lists(segments),
            (std::vector<std::string>{"(51,10) (51,11) (51,12) (50,13) (51,13)"}));
}

TEST(Trace, NeighboursOutsideTheGridCountAsNotRiver) {
  const Art west_edge{5, 1, {"RRRR"}};
  const Art corner{469, 359, {"RRR", "..R"}};
  RiverCells cells = cells_with({west_edge, corner});
  const std::vector<Segment> segments = classify_and_trace(cells);
  EXPECT_EQ(reach_lists(segments), (std::vector<std::string>{
                                       "(5,4) (5,3) (5,2) (5,1)",
                                       "(469,359) (469,360) (469,361) (470,361)",
                                   }));
}

TEST(Trace, FixedLinkJumpsFromRow458Column90ToRow456Column38) {
  const Art lower{458, 90, {"RRRRRR"}};
  const Art upper{456, 31, {"CRRRRRRR"}};
  RiverCells cells = cells_with({lower, upper});
  const std::vector<Segment> segments = classify_and_trace(cells);
  EXPECT_EQ(class_picture(cells, lower), std::vector<std::string>{"11111S"});
  EXPECT_EQ(class_picture(cells, upper), std::vector<std::string>{"0M111111"});
  EXPECT_EQ(reach_lists(segments),
            (std::vector<std::string>{"(458,95) (458,94) (458,93) (458,92) (458,91) (458,90) "
                                      "(456,38) (456,37) (456,36) (456,35) (456,34) (456,33) "
                                      "(456,32)"}));
  EXPECT_EQ(cells.stream_order(456, 32), 1);
}

// Orders around a junction at (50,50), listed NW, N, NE, W, E, SW, S, SE.
struct OrderCase {
  std::array<int, 8> around;
  int expected;
  const char* why;
};

TEST(Trace, JunctionOrderRule) {
  const std::vector<OrderCase> cases = {
      {{1, 0, 1, 0, 0, 0, 0, 0}, 2, "1 + 1"},
      {{2, 0, 1, 0, 0, 0, 0, 0}, 2, "2 + 1"},
      {{2, 0, 2, 0, 0, 1, 0, 0}, 3, "2 + 2 + 1"},
      {{0, 3, 0, 0, 0, 0, 0, 0}, 4, "a single order"},
      {{3, 0, 2, 2, 0, 0, 0, 0}, 3, "largest once, two smaller equal"},
      {{0, 0, 0, 0, 0, 0, 0, 0}, 1, "no ordered neighbour"},
      {{9, 9, 0, 0, 0, 0, 0, 0}, 10, "orders beyond nine"},
  };
  for (const OrderCase& c : cases) {
    gridkit::IntGrid stream_order;
    for (std::size_t k = 0; k < 8; ++k) {
      stream_order(50 + kNeighbourOrder[k].drow, 50 + kNeighbourOrder[k].dcol) = c.around[k];
    }
    EXPECT_EQ(junction_order(stream_order, {50, 50}), c.expected) << c.why;
  }
}

// The fixed link belongs to the built-in grid: a grid of the same size but
// another place leaves both cells as the classification made them.
TEST(FixedLink, OnlyOnTheBuiltInGrid) {
  const struct {
    gridkit::ModelGrid grid;
    CellClass expected;
    const char* why;
  } cases[] = {
      {gridkit::kBuiltInGrid, CellClass::PlainRiver, "built-in grid: both cells plain river"},
      {{361, 470, 250.0f, 402125.0f, 318375.0f}, CellClass::NotRiver, "same size, other place"},
  };
  for (const auto& c : cases) {
    const gridkit::GridScope scope(c.grid);
    gridkit::GridArray<CellClass> cell_class(gridkit::NROW(), gridkit::NCOL(), CellClass::NotRiver);
    apply_fixed_corrections(cell_class);
    EXPECT_EQ(cell_class(kLinkFrom.row, kLinkFrom.col), c.expected) << c.why;
    EXPECT_EQ(cell_class(kLinkTo.row, kLinkTo.col), c.expected) << c.why;
  }
}

}  // namespace
}  // namespace heron2::test
