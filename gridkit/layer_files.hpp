// The top and bottom elevation arrays of the four-layer model, and the
// dialogue that names their files.
//
// The layer tools ask eight base names in a fixed order (top of layer 1,
// bottom of layer 1, ..., bottom of layer 4). Each answer opens the input
// file base + input extension and then the output file base + output
// extension (the input must exist; the output is created or replaced when
// the run closes it). The base is the whole trimmed answer,
// however long. A base whose output file is already open for another layer
// is refused and asked again: two writers on one file would mix two arrays.
//
// Layer files are real arrays in the fixed layout, read and written one row
// of every layer at a time.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

#include "gridkit/console.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

inline constexpr int NLAY = 4;               // layers of the model; layer 1 on top
inline constexpr int kLayerNameLength = 40;  // name field of a base-name answer

// Tops and bottoms of layers 1..NLAY over the whole grid.
struct LayerStack {
  std::array<RealGrid, NLAY> tops;
  std::array<RealGrid, NLAY> bottoms;
  RealGrid& top(int layer) { return tops[static_cast<std::size_t>(layer - 1)]; }
  RealGrid& bot(int layer) { return bottoms[static_cast<std::size_t>(layer - 1)]; }
  const RealGrid& top(int layer) const { return tops[static_cast<std::size_t>(layer - 1)]; }
  const RealGrid& bot(int layer) const { return bottoms[static_cast<std::size_t>(layer - 1)]; }
};

// The tops and bottoms at one node, layers 1..NLAY.
struct NodeLayers {
  std::array<float, NLAY> tops{};
  std::array<float, NLAY> bottoms{};
  float& top(int layer) { return tops[static_cast<std::size_t>(layer - 1)]; }
  float& bot(int layer) { return bottoms[static_cast<std::size_t>(layer - 1)]; }

  static NodeLayers from(const LayerStack& stack, int row, int col);
  void store(LayerStack& stack, int row, int col) const;
};

// The eight input and eight output files, in the order top 1, bottom 1,
// top 2, ..., bottom 4.
struct LayerFiles {
  std::vector<InFile> inputs;
  std::vector<OutFile> outputs;
};

// Asks the eight base names and opens each pair as it is named. Blank answers
// take the retry of resolve_name, with units numbered from `first_unit`.
LayerFiles ask_layer_files(Console& con, const std::filesystem::path& folder,
                           std::string_view input_ext, std::string_view output_ext, int first_unit);

// One row of every layer file, in the order top 1, bottom 1, ..., bottom 4.
void read_layer_row(LayerFiles& files, LayerStack& stack, int row);
void write_layer_row(LayerFiles& files, const LayerStack& stack, int row);

}  // namespace gridkit
