// Snapping a point to its node along one axis. `t` is the point's offset from
// node 1 in cells, computed in single precision by the caller; the result is
// the node index counted from 1, or nothing for a point so far off (or NaN)
// that no integer holds it. The index may lie outside the grid.
//
// Two rules are kept because the tools' stored results were made with them
// and they differ for t = 0.49999997 (and its like), where adding 0.5 in
// single precision rounds up to 1.
#pragma once

#include <optional>

namespace gridkit {

// t + 0.5 (t - 0.5 below zero) in single precision, then cut toward zero:
// the rule by which BRISKET and its family place well levels on nodes.
std::optional<int> node_index_by_adding_half(float t);

// t rounded exactly to the nearest integer, halves away from zero: the rule
// by which QUARRYPIT marks the node nearest each curve vertex.
std::optional<int> node_index_by_rounding(float t);

}  // namespace gridkit
