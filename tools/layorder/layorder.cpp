// LAYORDER's run: dialogue (every file opened as it is named), read every
// array, then repair and write row by row.
#include "tools/layorder/layorder.hpp"

#include <span>
#include <string>

#include "gridkit/arrays.hpp"
#include "gridkit/dialogue.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/layer_files.hpp"
#include "tools/layorder/repair.hpp"

namespace layorder {
namespace {

constexpr int kNameLength = 40;
// Units named by the blank-name retry, in the order the files are opened.
constexpr int kFirstLayerUnit = 10;
constexpr int kIboundUnit = kFirstLayerUnit + 2 * 2 * gridkit::NLAY;

}  // namespace

void run_layorder(gridkit::Console& con, const std::filesystem::path& folder) {
  using gridkit::NCOL;
  using gridkit::NROW;

  gridkit::LayerFiles layers =
      gridkit::ask_layer_files(con, folder, ".DAT", ".MOD", kFirstLayerUnit);
  gridkit::InFile ibound_file = gridkit::ask_existing(
      con, folder, gridkit::Record().text("ENTER THE OPERATIONAL BOUNDARY IBOUND ARRAY: "),
      kNameLength, kIboundUnit);

  // All input is read before anything is written.
  gridkit::LayerStack stack;
  gridkit::IntGrid ibound;
  for (int row = 1; row <= NROW(); ++row) {
    gridkit::read_layer_row(layers, stack, row);
    gridkit::read_int_row(ibound_file, ibound.row(row));
  }

  // Active and constant-head nodes alike are repaired; inactive ones pass.
  for (int row = 1; row <= NROW(); ++row) {
    for (int col = 1; col <= NCOL(); ++col) {
      if (ibound(row, col) == 0) continue;
      auto node = gridkit::NodeLayers::from(stack, row, col);
      layorder::repair_node(node);
      node.store(stack, row, col);
    }
    gridkit::write_layer_row(layers, stack, row);
  }
  for (auto& out : layers.outputs) out.flush();
  con.stop();
}

}  // namespace layorder
