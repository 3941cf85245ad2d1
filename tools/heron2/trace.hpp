// The trace of the river network: from every line end in scan order, cell
// by cell downstream, into segments of reaches, giving every traced cell its
// stream order.
#pragma once

#include <optional>
#include <vector>

#include "gridkit/grid.hpp"
#include "tools/heron2/river_cells.hpp"

namespace heron2 {

// Traces the network classified in cell_class and returns the segments in the
// order they were opened. stream_order must start at 0; it holds the orders
// afterwards.
//
// Rules kept here:
//  - every "S" cell opens a segment when the scan (rows 1 to NROW(), columns 1
//    to NCOL()) reaches it, even if a trace has passed it; its order becomes 1;
//  - a segment ends at an "M" cell, at an "S" cell other than its first
//    reach, at a junction, or where no untraced river neighbour is left;
//  - a junction waits: the segment below it opens only when exactly one of
//    its river neighbours is untraced, and the junction takes its order then;
//  - the next cell is the first untraced river neighbour in kNeighbourOrder
//    and takes the order of the current cell (a junction's order is set only
//    when its segment opens);
//  - on the built-in grid, reaching kLinkFrom jumps to kLinkTo, which takes
//    the current order.
std::vector<Segment> trace_network(const gridkit::GridArray<CellClass>& cell_class,
                                   const gridkit::IntGrid& river_flag,
                                   gridkit::IntGrid& stream_order);

// River cells that lie on no segment: a ring or a block has no line end to
// start a trace, and a lone cell has no neighbour. They get no record in the
// new package.
struct Untraced {
  long count = 0;
  std::optional<gridkit::Cell> first;  // in scan order
};
Untraced untraced_river_cells(const gridkit::IntGrid& river_flag,
                              const std::vector<Segment>& segments);

// The order a junction takes when the segment below it opens, from the
// positive orders of its eight neighbours: the largest plus one when all are
// equal or the largest occurs more than once, else the largest.
int junction_order(const gridkit::IntGrid& stream_order, gridkit::Cell junction);

}  // namespace heron2
