// The MODFLOW-2005 model. It reads the kit's own array files where they lie,
// through OPEN/CLOSE control records in the layout each file has; its own
// files are in free format (the FREE option of the basic package), with
// every real in the shortest text that reads back to the kit's float.
//
// MODFLOW-2005 has no cell that passes flow vertically: it turns an active
// cell of no thickness into a no-flow cell, which would cut the layers above
// and below it apart. So a layer with pinched cells gets its bottom from a
// copy (arrays/botmK.txt) in which each pinched cell is kPinchThickness
// thick: its horizontal conductance all but vanishes, and its vertical
// resistance adds next to nothing, as in MODFLOW 6.
#include <algorithm>
#include <string>
#include <system_error>

#include "gridkit/error.hpp"
#include "gridkit/free_arrays.hpp"
#include "gridkit/grid.hpp"
#include "tools/kitmodel/model_text.hpp"
#include "tools/kitmodel/model_units.hpp"
#include "tools/kitmodel/model_writer.hpp"

namespace kitmodel {
namespace {

// PCG's closure on the residual, in volume per time unit: the largest
// residual of any cell, small against a cell's recharge.
constexpr double kPcgResidualClosure = 1.0;

// The thickness a pinched cell has in MODFLOW-2005, in length units.
constexpr float kPinchThickness = 0.01f;

// File units of the name file.
constexpr int kListUnit = 2;
constexpr int kHeadUnit = 51;

class Mf2005Writer {
 public:
  Mf2005Writer(const ModelFile& model, const ModelInputs& in, const ModelPlan& plan,
               const std::filesystem::path& out)
      : model_(model), in_(in), plan_(plan), out_(out), folder_(out / "mf2005") {}

  std::vector<std::string> write() {
    std::filesystem::create_directories(folder_);
    const std::string& n = model_.name;
    std::string names = "# MODFLOW-2005 name file: the kit's model " + n + "\n" + "LIST " +
                        std::to_string(kListUnit) + " " + n + ".lst\n" + "DIS 11 " + n +
                        ".dis\nBAS6 12 " + n + ".ba6\nLPF 13 " + n + ".lpf\n";
    write_dis();
    write_bas();
    write_lpf();
    if (write_riv()) names += "RIV 14 " + n + ".riv\n";
    if (write_rch()) names += "RCH 17 " + n + ".rch\n";
    write_pcg();
    names += "PCG 15 " + n + ".pcg\nOC 16 " + n + ".oc\n";
    names += "DATA(BINARY) " + std::to_string(kHeadUnit) + " " + n + ".hds REPLACE\n";
    file(n + ".oc", "# heads saved, the budget printed\nHEAD SAVE UNIT " +
                        std::to_string(kHeadUnit) +
                        "\nPERIOD 1 STEP 1\n    SAVE HEAD\n    PRINT BUDGET\n");
    file(n + ".nam", names);
    return written_;
  }

 private:
  void file(const std::string& name, const std::string& text) {
    write_text_file(out_, "mf2005/" + name, text, written_);
  }

  // The path by which MODFLOW, run in mf2005/, finds a kit file.
  std::string path_to(const std::filesystem::path& file) const {
    std::error_code ec;
    std::filesystem::path rel = std::filesystem::relative(std::filesystem::absolute(file),
                                                          std::filesystem::absolute(folder_), ec);
    if (ec || rel.empty()) rel = std::filesystem::absolute(file);
    const std::string text = rel.generic_string();
    if (text.find_first_of(" \t'\"") != std::string::npos) {
      throw gridkit::KitError::write(
          "mf2005/" + model_.name + ".nam",
          "MODFLOW-2005 cannot read a file name holding blanks or quotes: " + text);
    }
    return text;
  }

  std::string real_array(const ArraySource& source, const std::string& what) const {
    if (source.is_constant())
      return "CONSTANT " + shortest(static_cast<float>(source.constant)) + "  " + what + "\n";
    return "OPEN/CLOSE " + path_to(source.file) + " 1.0 " + gridkit::layout_format(source.layout) +
           " -1  " + what + "\n";
  }

  void write_dis() {
    const int lenuni = model_.length_units == LengthUnits::Feet ? 1 : 2;
    const std::string cell = shortest(model_length(gridkit::DELR(), model_.length_units));
    const int n = in_.layers();
    std::string text = "# " + std::to_string(n) + " layers, " + std::to_string(gridkit::NROW()) +
                       " rows, " + std::to_string(gridkit::NCOL()) + " columns of " +
                       shortest(static_cast<double>(gridkit::DELR())) +
                       " m; one steady-state period\n" + std::to_string(n) + " " +
                       std::to_string(gridkit::NROW()) + " " + std::to_string(gridkit::NCOL()) +
                       " 1 " + std::to_string(time_unit_code(model_.time_units)) + " " +
                       std::to_string(lenuni) + "\n";
    for (int k = 1; k <= n; ++k) text += k == n ? "0\n" : "0 ";
    text += "CONSTANT " + cell + "  DELR\nCONSTANT " + cell + "  DELC\n";
    text += real_array(model_.top, "TOP");
    for (int k = 1; k <= n; ++k) {
      const std::string what = "BOTM layer " + std::to_string(k);
      text += has_pinched(k)
                  ? pinched_bottom(k, what)
                  : real_array(model_.layers[static_cast<std::size_t>(k - 1)].bottom, what);
    }
    file(model_.name + ".dis", text + "1.0 1 1.0 SS\n");
  }

  bool has_pinched(int layer) const {
    const auto& cells = plan_.cells[static_cast<std::size_t>(layer - 1)].values();
    return std::find(cells.begin(), cells.end(), CellState::Pinched) != cells.end();
  }

  // The bottoms of `layer` with each pinched cell kPinchThickness below its
  // top, as a copy in arrays/.
  std::string pinched_bottom(int layer, const std::string& what) {
    gridkit::RealGrid bottom = in_.bottoms[static_cast<std::size_t>(layer - 1)];
    for (int r = 1; r <= gridkit::NROW(); ++r)
      for (int c = 1; c <= gridkit::NCOL(); ++c)
        if (plan_.state(layer, r, c) == CellState::Pinched)
          bottom(r, c) = in_.cell_top(layer, r, c) - kPinchThickness;
    const std::string path = "arrays/botm" + std::to_string(layer) + ".txt";
    std::filesystem::create_directories(folder_ / "arrays");
    gridkit::OutFile out(folder_ / path, "mf2005/" + path);
    gridkit::write_free_grid(out, bottom);
    out.close();
    written_.push_back("mf2005/" + path);
    return "OPEN/CLOSE " + path + " 1.0 (FREE) -1  " + what + " (pinched cells " +
           shortest(kPinchThickness) + " thick)\n";
  }

  void write_bas() {
    std::string text =
        "# IBOUND of every layer, starting heads (constant heads hold theirs)\nFREE\n";
    for (int k = 1; k <= in_.layers(); ++k) {
      if (model_.ibound.is_constant()) {
        text += "CONSTANT " + std::to_string(static_cast<long long>(model_.ibound.constant)) +
                "  IBOUND\n";
      } else {
        text += "OPEN/CLOSE " + path_to(model_.ibound.file) + " 1 " +
                gridkit::layout_format(model_.ibound.layout) + " -1  IBOUND layer " +
                std::to_string(k) + "\n";
      }
    }
    text += "-999.99\n";
    for (int k = 1; k <= in_.layers(); ++k)
      text += real_array(model_.start, "STRT layer " + std::to_string(k));
    file(model_.name + ".ba6", text);
  }

  void write_lpf() {
    const int n = in_.layers();
    auto per_layer = [n](const char* value) {
      std::string line;
      for (int k = 1; k <= n; ++k) line += std::string(k == 1 ? "" : " ") + value;
      return line + "\n";
    };
    std::string text =
        "# confined layers (transmissivity from the full thickness), harmonic mean, isotropic\n"
        "0 -888.0 0\n" +
        per_layer("0") + per_layer("0") + per_layer("1.0") + per_layer("0") + per_layer("0");
    for (int k = 1; k <= n; ++k) {
      const LayerSource& layer = model_.layers[static_cast<std::size_t>(k - 1)];
      text += real_array(layer.kh, "HK layer " + std::to_string(k));
      text += real_array(layer.kv, "VKA layer " + std::to_string(k));
    }
    file(model_.name + ".lpf", text);
  }

  bool write_riv() {
    if (plan_.reaches.empty()) return false;
    const std::string count = std::to_string(plan_.reaches.size());
    std::string text = "# river reaches: layer row column stage conductance bottom\n" + count +
                       " 0\n" + count + " 0\n";
    for (const Reach& r : plan_.reaches)
      text += std::to_string(r.layer) + " " + std::to_string(r.record.cell.row) + " " +
              std::to_string(r.record.cell.col) + " " + shortest(r.record.stage) + " " +
              shortest(r.record.conductance) + " " + shortest(r.record.bottom) + "\n";
    file(model_.name + ".riv", text);
    return true;
  }

  bool write_rch() {
    if (!model_.recharge) return false;
    file(model_.name + ".rch", "# recharge to the highest active cell of each column\n3 0\n1 0\n" +
                                   real_array(*model_.recharge, "RECH"));
    return true;
  }

  void write_pcg() {
    file(model_.name + ".pcg", "# PCG, modified incomplete Cholesky\n200 200 1\n" +
                                   shortest(model_.head_change) + " " +
                                   shortest(kPcgResidualClosure) + " 1.0 0 0 3 1.0\n");
  }

  // What a writer of either MODFLOW version holds: the model, its arrays and
  // plan, the two folders and the names written (as in mf6_writer.cpp).
  const ModelFile& model_;
  const ModelInputs& in_;
  const ModelPlan& plan_;
  std::filesystem::path out_;
  std::filesystem::path folder_;
  std::vector<std::string> written_;
};

}  // namespace

std::vector<std::string> write_mf2005(const ModelFile& model, const ModelInputs& inputs,
                                      const ModelPlan& plan, const std::filesystem::path& out_dir) {
  return Mf2005Writer(model, inputs, plan, out_dir).write();
}

}  // namespace kitmodel
