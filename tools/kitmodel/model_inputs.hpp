// The arrays and river reaches a model description names, read with the
// kit's own readers in the layouts it gives.
#pragma once

#include <optional>
#include <vector>

#include "gridkit/grid.hpp"
#include "tools/heron2/river_package.hpp"
#include "tools/kitmodel/model_file.hpp"

namespace kitmodel {

struct ModelInputs {
  gridkit::IntGrid ibound;                 // every layer: <0 constant head, 0 inactive, >0 active
  gridkit::RealGrid top;                   // top of layer 1
  gridkit::RealGrid start;                 // starting heads, every layer
  std::vector<gridkit::RealGrid> bottoms;  // one per layer, top down
  std::vector<gridkit::RealGrid> kh;
  std::vector<gridkit::RealGrid> kv;
  std::optional<gridkit::RealGrid> recharge;
  heron2::PackageHeader river_header;
  std::vector<heron2::RiverRecord> reaches;  // in the order of the package

  int layers() const { return static_cast<int>(bottoms.size()); }
  // Top of a cell: the top array for layer 1, the bottom above it below.
  float cell_top(int layer, int row, int col) const {
    return layer == 1 ? top(row, col) : bottoms[static_cast<std::size_t>(layer - 2)](row, col);
  }
  float cell_bottom(int layer, int row, int col) const {
    return bottoms[static_cast<std::size_t>(layer - 1)](row, col);
  }
};

// Reads every file of the description; a missing, short or malformed file is
// a KitError naming it.
ModelInputs read_model_inputs(const ModelFile& model);

// One real array of the description (a constant fills the grid).
gridkit::RealGrid read_real_array(const ArraySource& source);

}  // namespace kitmodel
