#include "tools/quarrypit/crossings.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quarrypit {

namespace {

// Ascending order; a NaN (from a curve with infinite coordinates) is kept
// after every number so the order stays well defined.
bool before(float a, float b) {
  if (std::isnan(b)) return !std::isnan(a);
  return a < b;
}

}  // namespace

int crossings_per_row(int columns) {
  if (columns <= kCrossingsBaseColumns) return kCrossingsPerRow;
  const long long half = kCrossingsPerRow / 2;
  const long long pairs = (half * columns + kCrossingsBaseColumns - 1) / kCrossingsBaseColumns;
  return static_cast<int>(2 * pairs);
}

CrossingLists::CrossingLists()
    : per_row_(crossings_per_row(gridkit::NCOL())),
      entries_(static_cast<std::size_t>(gridkit::NROW()) * static_cast<std::size_t>(per_row_),
               kEmptyCrossing),
      counts_(static_cast<std::size_t>(gridkit::NROW()), 0) {}

void CrossingLists::clear() {
  std::fill(entries_.begin(), entries_.end(), kEmptyCrossing);
  std::fill(counts_.begin(), counts_.end(), 0);
}

std::span<float> CrossingLists::row_entries(int row) {
  return {entries_.data() + static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(per_row_),
          static_cast<std::size_t>(per_row_)};
}

std::span<const float> CrossingLists::row(int row) const {
  return {entries_.data() + static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(per_row_),
          static_cast<std::size_t>(per_row_)};
}

void CrossingLists::add(int row, float x) {
  int& filled = counts_[static_cast<std::size_t>(row - 1)];
  if (filled == per_row_) return;
  row_entries(row)[static_cast<std::size_t>(filled++)] = x;
}

// The filled entries, sorted, move behind the empty ones.
void CrossingLists::sort_rows() {
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    const std::span<float> entries = row_entries(i);
    const auto filled_end = entries.begin() + count(i);
    std::sort(entries.begin(), filled_end, before);
    std::rotate(entries.begin(), filled_end, entries.end());
  }
}

void CrossingLists::fill(gridkit::IntGrid& icurve, int value) const {
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    const std::span<const float> entries = row(i);
    const int first_filled = per_row_ - count(i);
    for (int k = 0; k + 1 < per_row_; k += 2) {
      if (k < first_filled) continue;
      const float left = entries[k];
      const float right = entries[k + 1];
      for (int j = 1; j <= gridkit::NCOL(); ++j) {
        const float x = gridkit::node_x(j);
        if (left <= x && x <= right) icurve(i, j) = value;
      }
    }
  }
}

}  // namespace quarrypit
