// The per-cell state of one HERON2 run, the classes a river cell can have,
// and the segment table the trace fills.
#pragma once

#include <array>
#include <vector>

#include "gridkit/grid.hpp"

namespace heron2 {

// The class of a cell (CELLMAP), held as the character it shows in the
// class maps.
enum class CellClass : char {
  NotRiver = '0',
  PlainRiver = '1',  // also every river cell of the outer rows and columns
  LineEnd = 'S',     // exactly one river neighbour: a trace starts here
  Junction = '*',
  Mouth = 'M',  // a line end beside a constant-head cell: a trace ends here
};

// The character a class shows in the class maps "B".FL1-3.
constexpr char map_char(CellClass cls) { return static_cast<char>(cls); }

// The whole-grid arrays, addressed (row, column) from 1. The numeric ones
// start at 0; cell_class is set in full by the classification.
struct RiverCells {
  gridkit::IntGrid boundary;      // IBOUND, the code of the boundary file
  gridkit::IntGrid river_flag;    // 1 where the input package has a record for the cell
  gridkit::RealGrid stage;        // input stage, later the interpolated stage
  gridkit::RealGrid bottom;       // RBOT: input bottom, later the stage less 2.3
  gridkit::IntGrid iextra1;       // IEXTRA1, IEXTRA2: the two trailing integers of the
  gridkit::IntGrid iextra2;       // cell's input record, passed through unchanged
  gridkit::IntGrid stream_order;  // given by the trace; 0 = not yet reached
  gridkit::GridArray<CellClass> cell_class{gridkit::NROW(), gridkit::NCOL(), CellClass::NotRiver};
};

// One segment: its reaches in downstream order.
struct Segment {
  std::vector<gridkit::Cell> reaches;
};

// The eight neighbours in the order the trace tries them: north-west,
// north, north-east, west, east, south-west, south, south-east (north is
// row - 1, west is column - 1).
struct Offset {
  int drow;
  int dcol;
};
inline constexpr std::array<Offset, 8> kNeighbourOrder{
    {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}}};

// The fixed link of the network: a trace that reaches kLinkFrom jumps to
// kLinkTo. Both cells are kept out of the classification ("1").
inline constexpr gridkit::Cell kLinkFrom{458, 90};
inline constexpr gridkit::Cell kLinkTo{456, 38};

// The link joins two rivers of the built-in grid's area; on any other grid
// those cells are other places (or not there at all), so it is left out.
inline bool has_fixed_link() { return gridkit::model_grid() == gridkit::kBuiltInGrid; }

// A river cell of the grid; cells outside the grid count as not river.
inline bool is_river(const gridkit::IntGrid& river_flag, int row, int col) {
  return gridkit::inside_grid(row, col) && river_flag(row, col) == 1;
}

}  // namespace heron2
