// For every grid row, the X values at which the current curve's edges cross
// the row's node line. Each row holds crossings_per_row() entries; a row counts
// the entries it has filled, so a crossing of any X (west of X = 0 included)
// counts, and only entries never filled are empty. A crossing goes into the
// row's next entry and is dropped without notice when the row is full. After
// sorting, the empties come first and entries are paired from position 1, so
// the pairing counts from the largest crossing down: with an odd number the
// smallest stays unpaired.
#pragma once

#include <span>
#include <vector>

#include "gridkit/grid.hpp"

namespace quarrypit {

// Entries of a row: 100 on grids of up to 361 columns, as the kit has always
// had, and as many per column on wider grids (rounded up to an even number,
// so the pairs still end on the last entry). A row's fill can use at most
// about one crossing per column, so the room keeps pace with what the row
// can show, and the lists stay in proportion to the cells.
inline constexpr int kCrossingsPerRow = 100;
inline constexpr int kCrossingsBaseColumns = 361;
int crossings_per_row(int columns);
inline constexpr float kEmptyCrossing = -1.0f;

class CrossingLists {
 public:
  CrossingLists();

  void clear();                // every entry empty
  void add(int row, float x);  // into the row's next empty entry
  void sort_rows();            // each row ascending, empties first; after the last add
  std::span<const float> row(int row) const;
  int count(int row) const { return counts_[static_cast<std::size_t>(row - 1)]; }

  int per_row() const { return per_row_; }

  // Sets `value` in the curve array at every node whose X lies within a pair
  // [entry K, entry K+1], K = 1, 3, ..., per_row() - 1, whose entry K is filled.
  void fill(gridkit::IntGrid& icurve, int value) const;

 private:
  std::span<float> row_entries(int row);
  int per_row_;
  std::vector<float> entries_;
  std::vector<int> counts_;  // filled entries of each row
};

}  // namespace quarrypit
