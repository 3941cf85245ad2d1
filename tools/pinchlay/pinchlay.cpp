// PINCHLAY's run: dialogue (every file opened as it is named), read every
// array, then pinch out and write row by row.
#include "tools/pinchlay/pinchlay.hpp"

#include <span>
#include <string>

#include "gridkit/arrays.hpp"
#include "gridkit/dialogue.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/layer_files.hpp"
#include "tools/pinchlay/pinch_out.hpp"

namespace pinchlay {
namespace {

using gridkit::Console;
using gridkit::Record;

constexpr int kNameLength = 40;
// Units named by the blank-name retry, in the order the files are opened.
constexpr int kUnconformityUnit = 10;
constexpr int kPinchIboundUnit = 11;
constexpr int kFirstLayerUnit = 12;
// The layer above the first pinched layer must exist.
constexpr long long kLowestFirstLayer = 2;

void show_first_layer_prompt(Console& con) {
  con.write(Record()
                .text("ENTER THE LAYER NUMBER OF THE FIRST LAYER ")
                .text("PINCHED OUT BY THE UNCONFORMITY: "));
}

// Layer 1 or less would move the bottom of a layer above the model's top:
// such an answer is refused and asked again.
long long ask_first_layer(Console& con) {
  show_first_layer_prompt(con);
  for (;;) {
    long long layer = 0;
    con.read_values(std::span<long long>(&layer, 1));
    if (layer >= kLowestFirstLayer) return layer;
    con.write(Record().text("THE FIRST PINCHED LAYER MUST BE 2 OR MORE - PLEASE ENTER IT AGAIN"));
    show_first_layer_prompt(con);
  }
}

}  // namespace

void run_pinchlay(Console& con, const std::filesystem::path& folder) {
  using gridkit::NCOL;
  using gridkit::NROW;

  gridkit::InFile unconformity_file = gridkit::ask_existing(
      con, folder, Record().text("ENTER THE UNCONFORMITY STRUCTURAL TOP ARRAY ").text("FILENAME :"),
      kNameLength, kUnconformityUnit);
  gridkit::InFile pinch_file =
      gridkit::ask_existing(con, folder,
                            Record()
                                .text("ENTER THE IBOUND ARRAY OF THE FIRST LAYER ")
                                .text("PINCHED OUT BY THE UNCONFORMITY: "),
                            kNameLength, kPinchIboundUnit);
  con.write(Record().text("THE TOPMOST LAYER IN THE MODEL IS LAYER NUMBER 1 "));
  const long long first_layer = ask_first_layer(con);
  gridkit::LayerFiles layers =
      gridkit::ask_layer_files(con, folder, ".DAT", ".UNC", kFirstLayerUnit);

  // All input is read before anything is written.
  gridkit::IntGrid pinch_ibound;
  gridkit::RealGrid unconformity;
  gridkit::LayerStack stack;
  for (int row = 1; row <= NROW(); ++row) {
    gridkit::read_int_row(pinch_file, pinch_ibound.row(row));
    gridkit::read_fixed_row(unconformity_file, unconformity.row(row));
    gridkit::read_layer_row(layers, stack, row);
  }

  for (int row = 1; row <= NROW(); ++row) {
    for (int col = 1; col <= NCOL(); ++col) {
      if (pinch_ibound(row, col) != 0) continue;
      auto node = gridkit::NodeLayers::from(stack, row, col);
      pinchlay::pinch_out_node(node, unconformity(row, col), first_layer);
      node.store(stack, row, col);
    }
    gridkit::write_layer_row(layers, stack, row);
  }
  for (auto& out : layers.outputs) out.flush();
  con.stop();
}

}  // namespace pinchlay
