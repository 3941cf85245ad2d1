// The MODFLOW 6 model. MODFLOW 6 reads arrays in free format only and in
// double precision, so every array goes to arrays/ as blank-separated text
// holding exactly the kit's single-precision values: a fixed-column field
// without a decimal point, or two fields that touch, would read wrongly
// there, and the conductivity layout runs its fields together.
#include <algorithm>
#include <string>

#include "gridkit/error.hpp"
#include "gridkit/free_arrays.hpp"
#include "tools/kitmodel/model_text.hpp"
#include "tools/kitmodel/model_units.hpp"
#include "tools/kitmodel/model_writer.hpp"

namespace kitmodel {
namespace {

// The IMS closure on the largest residual of any cell, in volume per time
// unit: small against a cell's recharge, so the budget closes to well below
// 0.01 % (tighter costs many iterations on a grid of this size).
constexpr double kImsResidualClosure = 1.0;

class Mf6Writer {
 public:
  Mf6Writer(const ModelFile& model, const ModelInputs& in, const ModelPlan& plan,
            const std::filesystem::path& out)
      : model_(model), in_(in), plan_(plan), out_(out) {}

  std::vector<std::string> write() {
    std::filesystem::create_directories(out_ / "mf6" / "arrays");
    const std::string& n = model_.name;
    file("mfsim.nam", "# MODFLOW 6 simulation: the kit's model " + n +
                          "\n"
                          "BEGIN OPTIONS\nEND OPTIONS\n\n"
                          "BEGIN TIMING\n  TDIS6 " +
                          n +
                          ".tdis\nEND TIMING\n\n"
                          "BEGIN MODELS\n  GWF6 " +
                          n + ".nam " + n +
                          "\nEND MODELS\n\n"
                          "BEGIN EXCHANGES\nEND EXCHANGES\n\n"
                          "BEGIN SOLUTIONGROUP 1\n  IMS6 " +
                          n + ".ims " + n + "\nEND SOLUTIONGROUP\n");
    file(n + ".tdis",
         "# one steady-state stress period\n"
         "BEGIN OPTIONS\n  TIME_UNITS " +
             model_.time_units +
             "\nEND OPTIONS\n\n"
             "BEGIN DIMENSIONS\n  NPER 1\nEND DIMENSIONS\n\n"
             "BEGIN PERIODDATA\n  1.0 1 1.0\nEND PERIODDATA\n");
    write_ims();
    write_dis();
    write_ic();
    write_npf();
    std::string packages = "  DIS6 " + n + ".dis\n  IC6 " + n + ".ic\n  NPF6 " + n + ".npf\n";
    if (write_chd()) packages += "  CHD6 " + n + ".chd\n";
    if (write_riv()) packages += "  RIV6 " + n + ".riv\n";
    if (write_rch()) packages += "  RCH6 " + n + ".rch\n";
    packages += "  OC6 " + n + ".oc\n";
    file(n + ".oc", "BEGIN OPTIONS\n  HEAD FILEOUT " + n +
                        ".hds\nEND OPTIONS\n\n"
                        "BEGIN PERIOD 1\n  SAVE HEAD LAST\n  PRINT BUDGET LAST\nEND PERIOD\n");
    file(n + ".nam", "# the groundwater-flow model " + n +
                         "\n"
                         "BEGIN OPTIONS\nEND OPTIONS\n\nBEGIN PACKAGES\n" +
                         packages + "END PACKAGES\n");
    return written_;
  }

 private:
  void file(const std::string& name, const std::string& text) {
    write_text_file(out_, "mf6/" + name, text, written_);
  }

  // The control record of a real array: CONSTANT for a constant, otherwise
  // OPEN/CLOSE on its copy in arrays/ (written once per name).
  std::string real_array(const ArraySource& source, const gridkit::RealGrid& grid,
                         const std::string& name) {
    if (source.is_constant())
      return "    CONSTANT " + shortest(static_cast<float>(source.constant)) + "\n";
    const std::string path = "arrays/" + name + ".txt";
    if (std::find(written_.begin(), written_.end(), "mf6/" + path) == written_.end()) {
      gridkit::OutFile out(out_ / "mf6" / path, "mf6/" + path);
      gridkit::write_free_grid(out, grid);
      out.close();
      written_.push_back("mf6/" + path);
    }
    return "    OPEN/CLOSE " + path + "\n";
  }

  std::string layer_name(const char* base, int k) { return base + std::to_string(k); }

  void write_ims() {
    const std::string dv = shortest(model_.head_change);
    const std::string inner_dv = dv;
    file(model_.name + ".ims",
         "# conjugate gradients; heads close to " + dv + " and residuals to " +
             shortest(kImsResidualClosure) +
             " per cell\n"
             "BEGIN OPTIONS\n  PRINT_OPTION SUMMARY\nEND OPTIONS\n\n"
             "BEGIN NONLINEAR\n  OUTER_DVCLOSE " +
             dv +
             "\n  OUTER_MAXIMUM 50\nEND NONLINEAR\n\n"
             "BEGIN LINEAR\n  INNER_MAXIMUM 500\n  INNER_DVCLOSE " +
             inner_dv + "\n  INNER_RCLOSE " + shortest(kImsResidualClosure) +
             "\n  LINEAR_ACCELERATION CG\n  RELAXATION_FACTOR 0.97\nEND LINEAR\n");
  }

  void write_dis() {
    const LengthUnits units = model_.length_units;
    const std::string cell = shortest(model_length(gridkit::DELR(), units));
    std::string text = "# The kit's grid: " + std::to_string(gridkit::NROW()) + " rows, " +
                       std::to_string(gridkit::NCOL()) + " columns of " +
                       shortest(static_cast<double>(gridkit::DELR())) +
                       " m. XORIGIN and YORIGIN are the CRSTM position of the\n"
                       "# grid's lower-left corner (" +
                       shortest_fixed(grid_west_edge()) + ", " + shortest_fixed(grid_south_edge()) +
                       " m) in model units. CRSTM:\n# " + kCrstmDefinition +
                       "\n"
                       "BEGIN OPTIONS\n  LENGTH_UNITS " +
                       (units == LengthUnits::Feet ? "feet" : "meters") + "\n  XORIGIN " +
                       shortest_fixed(model_length(grid_west_edge(), units)) + "\n  YORIGIN " +
                       shortest_fixed(model_length(grid_south_edge(), units)) +
                       "\n  ANGROT 0.0\nEND OPTIONS\n\n"
                       "BEGIN DIMENSIONS\n  NLAY " +
                       std::to_string(in_.layers()) + "\n  NROW " +
                       std::to_string(gridkit::NROW()) + "\n  NCOL " +
                       std::to_string(gridkit::NCOL()) +
                       "\nEND DIMENSIONS\n\n"
                       "BEGIN GRIDDATA\n  DELR\n    CONSTANT " +
                       cell + "\n  DELC\n    CONSTANT " + cell + "\n  TOP\n" +
                       real_array(model_.top, in_.top, "top") + "  BOTM LAYERED\n";
    for (int k = 1; k <= in_.layers(); ++k)
      text += real_array(model_.layers[static_cast<std::size_t>(k - 1)].bottom,
                         in_.bottoms[static_cast<std::size_t>(k - 1)], layer_name("botm", k));
    text += "  IDOMAIN LAYERED\n";
    for (int k = 1; k <= in_.layers(); ++k) {
      gridkit::IntGrid idomain;
      const auto& cells = plan_.cells[static_cast<std::size_t>(k - 1)].values();
      std::transform(cells.begin(), cells.end(), idomain.values().begin(),
                     [](CellState s) { return static_cast<std::int32_t>(s); });
      const std::string path = "arrays/" + layer_name("idomain", k) + ".txt";
      gridkit::OutFile out(out_ / "mf6" / path, "mf6/" + path);
      gridkit::write_free_grid(out, idomain);
      out.close();
      written_.push_back("mf6/" + path);
      text += "    OPEN/CLOSE " + path + "\n";
    }
    file(model_.name + ".dis", text + "END GRIDDATA\n");
  }

  void write_ic() {
    std::string text =
        "# starting heads, the same in every layer\nBEGIN GRIDDATA\n  STRT LAYERED\n";
    for (int k = 1; k <= in_.layers(); ++k) text += real_array(model_.start, in_.start, "strt");
    file(model_.name + ".ic", text + "END GRIDDATA\n");
  }

  void write_npf() {
    std::string text =
        "# confined layers: transmissivity from the full thickness\n"
        "BEGIN OPTIONS\nEND OPTIONS\n\nBEGIN GRIDDATA\n  ICELLTYPE\n    CONSTANT 0\n  K LAYERED\n";
    for (int k = 1; k <= in_.layers(); ++k)
      text += real_array(model_.layers[static_cast<std::size_t>(k - 1)].kh,
                         in_.kh[static_cast<std::size_t>(k - 1)], layer_name("k", k));
    text += "  K33 LAYERED\n";
    for (int k = 1; k <= in_.layers(); ++k)
      text += real_array(model_.layers[static_cast<std::size_t>(k - 1)].kv,
                         in_.kv[static_cast<std::size_t>(k - 1)], layer_name("k33_", k));
    file(model_.name + ".npf", text + "END GRIDDATA\n");
  }

  static std::string cellid(int layer, gridkit::Cell cell) {
    return std::to_string(layer) + " " + std::to_string(cell.row) + " " + std::to_string(cell.col);
  }

  // A package of listed cells for the one stress period: its comment line,
  // MAXBOUND and one row a cell.
  void list_package(const std::string& ext, const std::string& comment, std::size_t count,
                    const std::string& rows) {
    file(model_.name + ext, "# " + comment +
                                "\nBEGIN OPTIONS\nEND OPTIONS\n\nBEGIN DIMENSIONS\n  MAXBOUND " +
                                std::to_string(count) + "\nEND DIMENSIONS\n\nBEGIN PERIOD 1\n" +
                                rows + "END PERIOD\n");
  }

  bool write_chd() {
    if (plan_.constant_heads.empty()) return false;
    std::string rows;
    for (const ConstantHead& c : plan_.constant_heads)
      rows += "  " + cellid(c.layer, c.cell) + " " + shortest(c.head) + "\n";
    list_package(".chd", "constant heads: IBOUND below 0, held at the starting head",
                 plan_.constant_heads.size(), rows);
    return true;
  }

  bool write_riv() {
    if (plan_.reaches.empty()) return false;
    std::string rows;
    for (const Reach& r : plan_.reaches)
      rows += "  " + cellid(r.layer, r.record.cell) + " " + shortest(r.record.stage) + " " +
              shortest(r.record.conductance) + " " + shortest(r.record.bottom) + "\n";
    list_package(".riv", "river reaches: layer row column stage conductance bottom",
                 plan_.reaches.size(), rows);
    return true;
  }

  bool write_rch() {
    if (!model_.recharge) return false;
    const std::string control = real_array(*model_.recharge, *in_.recharge, "recharge");
    file(model_.name + ".rch",
         "# recharge to the highest active cell of each column\n"
         "BEGIN OPTIONS\n  READASARRAYS\nEND OPTIONS\n\nBEGIN PERIOD 1\n  RECHARGE\n" +
             control + "END PERIOD\n");
    return true;
  }

  const ModelFile& model_;
  const ModelInputs& in_;
  const ModelPlan& plan_;
  std::filesystem::path out_;
  std::vector<std::string> written_;
};

}  // namespace

std::vector<std::string> write_mf6(const ModelFile& model, const ModelInputs& inputs,
                                   const ModelPlan& plan, const std::filesystem::path& out_dir) {
  return Mf6Writer(model, inputs, plan, out_dir).write();
}

}  // namespace kitmodel
