#include "gridkit/layer_files.hpp"
#include "gridkit/dialogue.hpp"

#include <string>
#include <system_error>

#include "gridkit/arrays.hpp"

namespace gridkit {

namespace {

// "ENTER THE 8 CHARACTER NAME OF THE TOP OF LAYER 1:" ends at the colon, the
// BOT prompts carry one blank after it.
std::string layer_prompt(bool top, int layer) {
  return std::string("ENTER THE 8 CHARACTER NAME OF THE ") + (top ? "TOP" : "BOT") + " OF LAYER " +
         std::to_string(layer) + (top ? ":" : ": ");
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  if (a == b) return true;
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

NodeLayers NodeLayers::from(const LayerStack& stack, int row, int col) {
  NodeLayers node;
  for (int k = 1; k <= NLAY; ++k) {
    node.top(k) = stack.top(k)(row, col);
    node.bot(k) = stack.bot(k)(row, col);
  }
  return node;
}

void NodeLayers::store(LayerStack& stack, int row, int col) const {
  for (std::size_t k = 0; k < NLAY; ++k) {
    stack.tops[k](row, col) = tops[k];
    stack.bottoms[k](row, col) = bottoms[k];
  }
}

LayerFiles ask_layer_files(Console& con, const std::filesystem::path& folder,
                           std::string_view input_ext, std::string_view output_ext,
                           int first_unit) {
  LayerFiles files;
  std::vector<std::filesystem::path> output_paths;
  int unit = first_unit;
  for (int layer = 1; layer <= NLAY; ++layer) {
    for (const bool top : {true, false}) {
      std::string base;
      for (;;) {
        base = ask_name(con, Record().text(layer_prompt(top, layer)), kLayerNameLength, unit);
        const std::filesystem::path out_path = folder / (base + std::string(output_ext));
        bool taken = false;
        for (const auto& earlier : output_paths) taken = taken || same_file(out_path, earlier);
        if (!taken) break;
        con.write(
            Record().text("THAT NAME IS ALREADY GIVEN TO ANOTHER LAYER - "
                          "PLEASE ENTER ANOTHER NAME"));
      }
      files.inputs.push_back(open_existing(folder, base + std::string(input_ext)));
      files.outputs.push_back(create_or_replace(folder, base + std::string(output_ext)));
      output_paths.push_back(folder / (base + std::string(output_ext)));
      unit += 2;
    }
  }
  return files;
}

void read_layer_row(LayerFiles& files, LayerStack& stack, int row) {
  for (std::size_t k = 0; k < NLAY; ++k) {
    read_fixed_row(files.inputs[2 * k], stack.tops[k].row(row));
    read_fixed_row(files.inputs[2 * k + 1], stack.bottoms[k].row(row));
  }
}

void write_layer_row(LayerFiles& files, const LayerStack& stack, int row) {
  for (std::size_t k = 0; k < NLAY; ++k) {
    write_fixed_row(files.outputs[2 * k], stack.tops[k].row(row));
    write_fixed_row(files.outputs[2 * k + 1], stack.bottoms[k].row(row));
  }
}

}  // namespace gridkit
