// Reading a Surfer text grid ("DSAA"): the header (nx ny, x range, y range,
// z range) and nx x ny values in free format, rows from the southernmost up,
// each row starting on a new line. Values of 1.70141E+38 or more are Surfer's
// blanked nodes.
#pragma once

#include <vector>

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

// The largest grid the reader takes: enough for any grid of the kit, small
// enough that a damaged header cannot ask for gigabytes.
inline constexpr long long kDsaaMaxNodes = 4'000'000;
inline constexpr float kDsaaBlank = 1.70141e38f;
// A node Surfer has blanked: it holds no value.
inline bool dsaa_blanked(float z) { return z >= kDsaaBlank; }

struct DsaaGrid {
  int nx = 0;
  int ny = 0;
  double xlo = 0, xhi = 0, ylo = 0, yhi = 0, zlo = 0, zhi = 0;
  std::vector<float> z;  // row iy (0 = south) after row, nx values each
  float at(int ix, int iy) const {
    return z[static_cast<std::size_t>(iy) * static_cast<std::size_t>(nx) +
             static_cast<std::size_t>(ix)];
  }
};

// Any DSAA grid of 2 to kDsaaMaxNodes nodes; a header that is not one, or a
// short or non-numeric body, is a KitError naming the file and line.
DsaaGrid read_dsaa(InFile& file);

// A DSAA grid of the model grid (NCOL() x NROW() nodes at the model's nodes,
// of any size the model grid has), as a whole-grid array with row 1 the northernmost.
RealGrid read_dsaa_model_grid(InFile& file);

}  // namespace gridkit
