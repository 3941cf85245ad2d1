#include "tools/brisket/strip_grid.hpp"

#include <cstdint>

namespace brisket {

namespace {

constexpr std::size_t kSlotFloats = StripGrid::kLanes;
constexpr std::size_t kAlignFloats = 64 / sizeof(float);

bool in_cover(const gridkit::IntGrid& codes, int row, int col, SweepCover cover) {
  if (cover == SweepCover::Every) return true;
  return row >= 2 && row <= codes.rows() - 1 && col >= 2 && col <= codes.cols() - 1;
}

// The mask of node (row, col): free or not, and which neighbours contribute
// the old value because they are dead or lie outside the grid.
std::uint8_t node_mask(const gridkit::IntGrid& codes, int row, int col, SweepCover cover) {
  if (codes(row, col) < 1 || !in_cover(codes, row, col, cover)) return 0;
  const auto old_value = [&codes](int r, int c) {
    return r < 1 || r > codes.rows() || c < 1 || c > codes.cols() || codes(r, c) == 0;
  };
  std::uint8_t m = kernel::kFree;
  if (old_value(row, col - 1)) m |= kernel::kWestOld;
  if (old_value(row, col + 1)) m |= kernel::kEastOld;
  if (old_value(row - 1, col)) m |= kernel::kNorthOld;
  if (old_value(row + 1, col)) m |= kernel::kSouthOld;
  return m;
}

}  // namespace

StripGrid::StripGrid(const gridkit::IntGrid& codes, SweepCover cover)
    : rows_(codes.rows()),
      cols_(codes.cols()),
      strips_((rows_ + 2 + kLanes - 1) / kLanes),
      strip_floats_(static_cast<std::size_t>(cols_ + 2 + kLanes - 1 + 2 * kPad) * kSlotFloats),
      storage_(2 * static_cast<std::size_t>(strips_ + 2) * strip_floats_ + kAlignFloats, 0.0f),
      masks_(static_cast<std::size_t>(strips_) * strip_floats_, 0),
      active_(static_cast<std::size_t>(strips_)),
      plain_(static_cast<std::size_t>(strips_)) {
  const auto address = reinterpret_cast<std::uintptr_t>(storage_.data());
  const std::size_t skip = ((64 - address % 64) % 64) / sizeof(float);
  values_[0] = storage_.data() + skip;
  values_[1] = values_[0] + static_cast<std::size_t>(strips_ + 2) * strip_floats_;

  for (int row = 1; row <= rows_; ++row) {
    const int s = row / kLanes;
    const int k = row % kLanes;
    for (int col = 1; col <= cols_; ++col) {
      const int slot = col + k;
      const std::uint8_t m = node_mask(codes, row, col, cover);
      masks_[static_cast<std::size_t>(s) * strip_floats_ +
             static_cast<std::size_t>(slot + kPad) * kSlotFloats + static_cast<std::size_t>(k)] = m;
      if (m == 0) continue;
      Range& range = active_[static_cast<std::size_t>(s)];
      if (range.first == range.end) {
        range = {slot, slot + 1};
      } else {
        if (slot < range.first) range.first = slot;
        if (slot + 1 > range.end) range.end = slot + 1;
      }
    }
  }
  for (int s = 0; s < strips_; ++s) plain_[static_cast<std::size_t>(s)] = longest_plain_run(s);
}

StripGrid::Range StripGrid::longest_plain_run(int s) const {
  Range best;
  int run_first = 0;
  bool in_run = false;
  for (int slot = first_active(s); slot <= end_active(s); ++slot) {
    bool plain = slot < end_active(s);
    const std::uint8_t* const m = masks_.data() + static_cast<std::size_t>(s) * strip_floats_ +
                                  static_cast<std::size_t>(slot + kPad) * kSlotFloats;
    for (int k = 0; k < kLanes && plain; ++k) plain = m[k] == kernel::kFree;
    if (plain && !in_run) run_first = slot;
    if (!plain && in_run && slot - run_first > best.end - best.first) best = {run_first, slot};
    in_run = plain;
  }
  return best;
}

std::size_t StripGrid::value_index(int strip, int slot) const {
  return static_cast<std::size_t>(strip + 1) * strip_floats_ +
         static_cast<std::size_t>(slot + kPad) * kSlotFloats;
}

std::size_t StripGrid::node_index(int row, int col) const {
  return value_index(row / kLanes, col + row % kLanes) + static_cast<std::size_t>(row % kLanes);
}

void StripGrid::load(const gridkit::RealGrid& z) {
  for (int row = 1; row <= rows_; ++row) {
    for (int col = 1; col <= cols_; ++col) {
      values_[0][node_index(row, col)] = z(row, col);
      values_[1][node_index(row, col)] = z(row, col);
    }
  }
}

void StripGrid::store(gridkit::RealGrid& z, int copy) const {
  for (int row = 1; row <= rows_; ++row) {
    for (int col = 1; col <= cols_; ++col) z(row, col) = values_[copy][node_index(row, col)];
  }
}

kernel::Strip StripGrid::strip(int s, int src, int dst) {
  return {values_[src] + value_index(s, 0),
          values_[dst] + value_index(s, 0),
          values_[dst] + value_index(s - 1, 0),
          values_[src] + value_index(s + 1, 0),
          masks_.data() + static_cast<std::size_t>(s) * strip_floats_ +
              static_cast<std::size_t>(kPad) * kSlotFloats,
          first_plain(s),
          end_plain(s)};
}

std::size_t StripGrid::bytes() const {
  return storage_.size() * sizeof(float) + masks_.size() +
         (active_.size() + plain_.size()) * sizeof(Range);
}

}  // namespace brisket
