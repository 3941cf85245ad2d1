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

CrossingLists::CrossingLists()
    : entries_(static_cast<std::size_t>(gridkit::NROW) * kCrossingsPerRow, kEmptyCrossing) {}

void CrossingLists::clear() { std::fill(entries_.begin(), entries_.end(), kEmptyCrossing); }

std::span<float> CrossingLists::row_entries(int row) {
  return {entries_.data() + static_cast<std::size_t>(row - 1) * kCrossingsPerRow, kCrossingsPerRow};
}

std::span<const float> CrossingLists::row(int row) const {
  return {entries_.data() + static_cast<std::size_t>(row - 1) * kCrossingsPerRow, kCrossingsPerRow};
}

void CrossingLists::add(int row, float x) {
  for (float& entry : row_entries(row)) {
    if (entry < 0.0f) {
      entry = x;
      return;
    }
  }
}

void CrossingLists::sort_rows() {
  for (int i = 1; i <= gridkit::NROW; ++i) {
    const std::span<float> entries = row_entries(i);
    std::sort(entries.begin(), entries.end(), before);
  }
}

void CrossingLists::fill(gridkit::IntGrid& icurve, int value) const {
  for (int i = 1; i <= gridkit::NROW; ++i) {
    const std::span<const float> entries = row(i);
    for (int k = 0; k + 1 < kCrossingsPerRow; k += 2) {
      const float left = entries[k];
      const float right = entries[k + 1];
      if (!(left >= 0.0f)) continue;
      for (int j = 1; j <= gridkit::NCOL; ++j) {
        const float x = gridkit::node_x(j);
        if (left <= x && x <= right) icurve(i, j) = value;
      }
    }
  }
}

}  // namespace quarrypit
