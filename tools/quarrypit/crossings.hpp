// For every grid row, the X values at which the current curve's edges cross
// the row's node line. Each row holds kCrossingsPerRow entries; an entry below
// 0 is empty. A crossing goes into the first empty entry and is dropped
// without notice when the row is full. After sorting, entries are paired from
// position 1, so empties (which sort first) push the pairing to count from the
// largest crossing down: with an odd number the smallest stays unpaired.
#pragma once

#include <span>
#include <vector>

#include "gridkit/grid.hpp"

namespace quarrypit {

inline constexpr int kCrossingsPerRow = 100;
inline constexpr float kEmptyCrossing = -1.0f;

class CrossingLists {
 public:
  CrossingLists();

  void clear();                    // every entry empty
  void add(int row, float x);      // into the row's first empty entry
  void sort_rows();                // each row ascending, empties first
  std::span<const float> row(int row) const;

  // Sets `value` in the curve array at every node whose X lies within a pair
  // [entry K, entry K+1], K = 1, 3, ..., 99, whose entry K is 0 or more.
  void fill(gridkit::IntGrid& icurve, int value) const;

 private:
  std::span<float> row_entries(int row);
  std::vector<float> entries_;
};

}  // namespace quarrypit
