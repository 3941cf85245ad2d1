// The grid in the fast sweep's strip layout (see sweep_kernels.hpp), twice
// (a sweep can read one copy and write the other), with the node masks the
// codes fix for the whole relaxation. Allocated once.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "gridkit/grid.hpp"
#include "tools/brisket/relax.hpp"
#include "tools/brisket/sweep_kernels.hpp"

namespace brisket {

class StripGrid {
 public:
  static constexpr int kLanes = kernel::kLanes;
  // Unused slots before and after each strip, so that the reach of a step
  // into the strips above and below stays inside the buffer.
  static constexpr int kPad = kLanes;

  // For the grid of `codes`, of any size.
  StripGrid(const gridkit::IntGrid& codes, SweepCover cover);

  // Grid rows 0..rows+1 (the halo rows included), kLanes to a strip.
  int strips() const { return strips_; }

  // Both copies get the grid's values.
  void load(const gridkit::RealGrid& z);
  void store(gridkit::RealGrid& z, int copy) const;

  // Strip s (0..strips()-1) for the kernels, read from copy `src` and written
  // to copy `dst` (0 or 1, the same for an update in place). Strips -1 and
  // strips() are inactive rows that are never written.
  kernel::Strip strip(int s, int src, int dst);
  // The slots [first, end) of strip s that hold a free node; empty when the
  // strip has none. A sweep needs to update only those.
  int first_active(int s) const { return active_[static_cast<std::size_t>(s)].first; }
  int end_active(int s) const { return active_[static_cast<std::size_t>(s)].end; }
  // The longest run of slots of strip s whose every node is free with four
  // live neighbours (see kernel::Strip).
  int first_plain(int s) const { return plain_[static_cast<std::size_t>(s)].first; }
  int end_plain(int s) const { return plain_[static_cast<std::size_t>(s)].end; }

  std::size_t bytes() const;

 private:
  struct Range {
    int first = 0;
    int end = 0;
  };
  std::size_t value_index(int strip, int slot) const;  // strip may be -1..strips()
  std::size_t node_index(int row, int col) const;
  Range longest_plain_run(int s) const;

  int rows_;
  int cols_;
  int strips_;
  // Floats of one strip: columns 0..cols+1 on every lane's diagonal, and
  // the padding on both sides.
  std::size_t strip_floats_;
  std::vector<float> storage_;
  float* values_[2] = {};  // the two copies in storage_, aligned to 64 bytes
  std::vector<std::uint8_t> masks_;
  std::vector<Range> active_;
  std::vector<Range> plain_;
};

}  // namespace brisket
