#include "tools/kitmodel/readback_commands.hpp"

#include <algorithm>
#include <optional>
#include <ostream>
#include <system_error>
#include <vector>

#include "gridkit/arrays.hpp"
#include "gridkit/console.hpp"
#include "gridkit/dsaa.hpp"
#include "gridkit/dsaa_reader.hpp"
#include "gridkit/error.hpp"
#include "gridkit/free_arrays.hpp"
#include "gridkit/numfmt.hpp"
#include "gridkit/numparse.hpp"
#include "gridkit/points.hpp"
#include "gridkit/textfile.hpp"
#include "tools/kitmodel/command_words.hpp"
#include "tools/kitmodel/head_file.hpp"
#include "tools/kitmodel/residuals.hpp"

namespace kitmodel {

namespace {

using gridkit::KitError;

constexpr std::string_view kNoHeadValues =
    "A cell has no head when MODFLOW marks it inactive (HNOFLO) or dry (HDRY)\n"
    "with one of the usual values: 1E+30 or -1E+30 or beyond (MODFLOW 6, and the\n"
    "HDRY of many MODFLOW-2005 models), -999.99 or -888 (the HNOFLO and HDRY of\n"
    "the kit's MODFLOW-2005 sample). --no-head V adds a model's own value.\n";

constexpr std::string_view kFormsText =
    "The head file may come from MODFLOW 6 or MODFLOW-2005, in single or double\n"
    "precision, with or without Fortran record markers; its form is told from its\n"
    "size and headers. Files of up to 2 GiB are read.\n";

std::string heads_help_text() {
  return std::string(
             "usage: kitmodel heads FILE --layer K --out NAME [--period N] [--step N]\n"
             "                      [--no-head V]\n"
             "Writes layer K of the binary head file FILE as NAME.GRD, a Surfer text\n"
             "grid of the model's nodes that kitmap and kitgeo read (cells without a\n"
             "head blanked as 1.70141E+38), and NAME.ARR, the layer as a real array of\n"
             "10 values of 8 columns with 1 decimal a line, row 1 first (cells without a\n"
             "head written as -999.9).\n"
             "--period, --step  take the last record of that stress period and/or time\n"
             "                  step; without them, the file's last record of layer K.\n") +
         std::string(kFormsText) + std::string(kNoHeadValues);
}

// A figure of the model grid as its file gives it: 290568, 1000, 250.
std::string grid_figure(float value) {
  char text[16];
  return std::string(text, gridkit::put_shortest(text, value));
}

std::string residuals_help_text() {
  return std::string(
             "usage: kitmodel residuals FILE WELLS.XYZ [--layer K] [--csv OUT.csv]\n"
             "                          [--period N] [--step N] [--no-head V]\n"
             "Compares each point X Y Z of WELLS.XYZ (CRSTM, one point a line) with the\n"
             "simulated head of layer K (default 1) at the point's nearest node, column\n"
             "NINT((X - " +
             grid_figure(gridkit::XORIG()) + ")/" + grid_figure(gridkit::DELR()) +
             ") + 1 and row NINT((" + grid_figure(gridkit::YORIG()) + " - Y)/" +
             grid_figure(gridkit::DELC()) +
             ") + 1. Points off\n"
             "the grid or at a cell without a head are counted and left out. Prints the\n"
             "count, the mean residual (simulated - observed), the RMSE, the largest\n"
             "residual with its point, and the RMSE as a percentage of the range of the\n"
             "observed levels compared.\n"
             "--csv  one line per point: x,y,observed,row,column,simulated,residual,status\n"
             "       (status: used, off grid, no head; row and column empty off the grid,\n"
             "       simulated and residual empty unless used).\n"
             "--period, --step as for kitmodel heads.\n") +
         std::string(kFormsText) + std::string(kNoHeadValues);
}

// The value given to --no-head, if any.
std::optional<float> no_head_of(const gridkit::ParsedOptions& options, std::string_view command) {
  const auto text = options.value("--no-head");
  if (!text) return std::nullopt;
  const std::optional<float> value = gridkit::parse_float(*text);
  if (!value)
    throw KitError("kitmodel " + std::string(command) + ": --no-head takes a number, not \"" +
                   *text + "\"");
  return value;
}

RecordChoice choice_of(const gridkit::ParsedOptions& options, std::string_view command) {
  const std::string context = "kitmodel " + std::string(command);
  RecordChoice choice;
  if (const auto n = positive_option(options, "--layer", context)) choice.layer = *n;
  choice.period = positive_option(options, "--period", context);
  choice.step = positive_option(options, "--step", context);
  return choice;
}

// Whether two names lead to one file (an output must not replace an input).
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  const auto ca = std::filesystem::weakly_canonical(a, ec);
  if (ec) return false;
  const auto cb = std::filesystem::weakly_canonical(b, ec);
  return !ec && ca == cb;
}

void refuse_overwrite(const std::filesystem::path& folder, const std::string& output,
                      std::initializer_list<const std::string*> inputs, std::string_view command) {
  for (const std::string* input : inputs)
    if (same_file(folder / output, folder / *input))
      throw KitError("kitmodel " + std::string(command) + ": the output " + output +
                     " would replace the input " + *input);
}

// The layer must be one of the model grid, whose arrays the kit writes.
HeadLayer read_model_layer(const std::filesystem::path& folder, const std::string& name,
                           const RecordChoice& choice) {
  HeadLayer layer = read_head_layer(folder / name, name, choice);
  if (layer.ncol != gridkit::NCOL() || layer.nrow != gridkit::NROW())
    throw KitError::read_file(name, "its grid has " + std::to_string(layer.ncol) + " columns and " +
                                        std::to_string(layer.nrow) + " rows, not the model's " +
                                        std::to_string(gridkit::NCOL()) + " and " +
                                        std::to_string(gridkit::NROW()));
  return layer;
}

// A number for the report and the table: `decimals` places, no padding, and
// a 0 before the point below 1 (".50" is the fixed fields' look, not a
// spreadsheet's or a reader's).
std::string readable(std::string text) {
  const std::size_t point = text.find('.');
  if (point == 0 || (point == 1 && text[0] == '-')) text.insert(point, "0");
  return text;
}
std::string number(double value, int decimals) {
  return readable(
      gridkit::trim_blanks(gridkit::format_fixed(value, 40, decimals, gridkit::kDoubleDigits)));
}
std::string number(float value, int decimals) {
  return readable(
      gridkit::trim_blanks(gridkit::format_fixed(value, 40, decimals, gridkit::kSingleDigits)));
}

std::string record_text(const HeadLayer& layer) {
  return "layer " + std::to_string(layer.layer) + ", stress period " +
         std::to_string(layer.period) + ", time step " + std::to_string(layer.step) + " (time " +
         number(layer.total_time, 3) + ")";
}

struct HeadGrids {
  gridkit::RealGrid blanked;  // no-head cells as Surfer's blank
  gridkit::RealGrid array;    // no-head cells as kArrayNoHead
  long with_head = 0;
  float lowest = 0, highest = 0;
  gridkit::Cell lowest_at, highest_at;
};

// A head that the fixed layout's field cannot show is an error naming its cell:
// written, it would be a field of asterisks that nothing reads back. Fitting
// is monotonic in the value, so the extremes decide for every cell.
void check_fits(float head, gridkit::Cell cell, const HeadLayer& layer, std::string_view name) {
  if (gridkit::fits_layout(head, gridkit::ArrayLayout::Fixed)) return;
  throw KitError::read_file(name, "layer " + std::to_string(layer.layer) + ", row " +
                                      std::to_string(cell.row) + ", column " +
                                      std::to_string(cell.col) + ": head " +
                                      number(layer.at(cell.row, cell.col), 3) +
                                      " does not fit a field of 8 columns with 1 decimal");
}

// The layer in single precision, as the kit's arrays hold it.
HeadGrids head_grids(const HeadLayer& layer, std::string_view name, std::optional<float> no_head) {
  HeadGrids g;
  for (int row = 1; row <= gridkit::NROW(); ++row) {
    for (int col = 1; col <= gridkit::NCOL(); ++col) {
      const double value = layer.at(row, col);
      if (!is_head(value, no_head)) {
        g.blanked(row, col) = gridkit::kDsaaBlank;
        g.array(row, col) = kArrayNoHead;
        continue;
      }
      const float head = static_cast<float>(value);
      g.blanked(row, col) = g.array(row, col) = head;
      if (g.with_head == 0 || head < g.lowest) g.lowest = head, g.lowest_at = {row, col};
      if (g.with_head == 0 || head > g.highest) g.highest = head, g.highest_at = {row, col};
      ++g.with_head;
    }
  }
  if (g.with_head > 0) {
    check_fits(g.lowest, g.lowest_at, layer, name);
    check_fits(g.highest, g.highest_at, layer, name);
  }
  return g;
}

}  // namespace

std::string_view heads_help() {
  static const std::string text = heads_help_text();
  return text;
}

std::string residuals_help() { return residuals_help_text(); }

void heads_command(std::span<const std::string> args, std::ostream& out,
                   const std::filesystem::path& folder) {
  constexpr std::string_view command = "heads";
  const auto parsed =
      command_options(args, {{"--layer"}, {"--out"}, {"--period"}, {"--step"}, {"--no-head"}},
                      "kitmodel heads", heads_help(), out);
  if (!parsed) return;
  const gridkit::ParsedOptions& options = *parsed;
  if (options.words.size() != 1)
    throw KitError("kitmodel heads: give one head file (kitmodel heads --help)");
  const auto base = options.value("--out");
  if (!options.value("--layer")) throw KitError("kitmodel heads: --layer K is needed");
  if (!base || base->empty()) throw KitError("kitmodel heads: --out NAME is needed");
  const std::string& input = options.words[0];
  const std::string grd_name = *base + ".GRD";
  const std::string arr_name = *base + ".ARR";
  refuse_overwrite(folder, grd_name, {&input}, command);
  refuse_overwrite(folder, arr_name, {&input}, command);

  const std::optional<float> no_head = no_head_of(options, command);
  const HeadLayer layer = read_model_layer(folder, input, choice_of(options, command));
  const HeadGrids grids = head_grids(layer, input, no_head);
  if (grids.with_head == 0)
    throw KitError::read_file(input, record_text(layer) + ": every cell is inactive or dry");

  gridkit::OutFile grd(folder / grd_name, grd_name);
  gridkit::write_dsaa_blanked(grd, grids.blanked, grids.lowest, grids.highest);
  grd.close();
  gridkit::OutFile arr(folder / arr_name, arr_name);
  gridkit::write_fixed_grid(arr, grids.array);
  arr.close();

  const long cells = static_cast<long>(gridkit::NCOL()) * gridkit::NROW();
  out << input << ": " << form_name(layer.form) << ", " << layer.records << " head records\n"
      << record_text(layer) << ": " << grids.with_head << " cells with a head from "
      << number(grids.lowest, 1) << " to " << number(grids.highest, 1) << ", "
      << cells - grids.with_head << " inactive or dry\n"
      << "wrote " << grd_name << " and " << arr_name << "\n";
}

namespace {

std::string_view status_text(PointStatus status) {
  switch (status) {
    case PointStatus::Used: return "used";
    case PointStatus::OffGrid: return "off grid";
    case PointStatus::NoHead: return "no head";
  }
  return "?";
}

void write_csv(gridkit::OutFile& csv, const std::vector<PointResidual>& residuals) {
  csv.line("x,y,observed,row,column,simulated,residual,status");
  for (const PointResidual& r : residuals) {
    std::string line =
        number(r.point.x, 2) + "," + number(r.point.y, 2) + "," + number(r.point.z, 3) + ",";
    if (r.status != PointStatus::OffGrid)
      line += std::to_string(r.node.row) + "," + std::to_string(r.node.col);
    else
      line += ",";
    line += ",";
    if (r.status == PointStatus::Used)
      line += number(r.simulated, 3) + "," + number(r.residual, 3);
    else
      line += ",";
    line += ",";
    line += status_text(r.status);
    csv.line(line);
  }
}

std::vector<gridkit::PointF> read_points(const std::filesystem::path& folder,
                                         const std::string& name) {
  gridkit::InFile file = gridkit::InFile::open_existing(folder / name, name);
  std::vector<gridkit::PointF> points;
  while (const std::optional<gridkit::PointF> point = gridkit::read_point_single(file))
    points.push_back(*point);
  return points;
}

}  // namespace

// Starts as heads_command does (options, then the head file's layer), with a
// point file as the second word.
void residuals_command(std::span<const std::string> args, std::ostream& out,
                       const std::filesystem::path& folder) {
  constexpr std::string_view command = "residuals";
  const auto parsed =
      command_options(args, {{"--layer"}, {"--csv"}, {"--period"}, {"--step"}, {"--no-head"}},
                      "kitmodel residuals", residuals_help(), out);
  if (!parsed) return;
  const gridkit::ParsedOptions& options = *parsed;
  if (options.words.size() != 2)
    throw KitError(
        "kitmodel residuals: give a head file and a point file (kitmodel residuals --help)");
  const std::string& input = options.words[0];
  const std::string& wells = options.words[1];
  const auto csv_name = options.value("--csv");
  if (csv_name) refuse_overwrite(folder, *csv_name, {&input, &wells}, command);

  const std::optional<float> no_head = no_head_of(options, command);
  const HeadLayer layer = read_model_layer(folder, input, choice_of(options, command));
  const std::vector<gridkit::PointF> points = read_points(folder, wells);
  const std::vector<PointResidual> residuals = compare_points(points, layer, no_head);
  const ResidualSummary s = summarize(residuals);
  if (csv_name) {
    gridkit::OutFile csv(folder / *csv_name, *csv_name);
    write_csv(csv, residuals);
    csv.close();
  }

  out << wells << ": " << points.size() << " points against the heads of " << input << ", "
      << record_text(layer) << "\n"
      << "points compared: " << s.used << " (" << s.off_grid << " off the grid, " << s.no_head
      << " at inactive or dry nodes)\n";
  if (s.used == 0)
    throw KitError("kitmodel residuals: no point of " + wells + " lies at a node with a head");
  const PointResidual& worst = residuals[s.largest];
  out << "mean residual (simulated - observed): " << number(s.mean, 2) << "\n"
      << "RMSE: " << number(s.rmse, 2) << "\n"
      << "largest residual: " << number(worst.residual, 2) << " at X " << number(worst.point.x, 1)
      << ", Y " << number(worst.point.y, 1) << " (row " << worst.node.row << ", column "
      << worst.node.col << "), observed " << number(worst.point.z, 2) << ", simulated "
      << number(worst.simulated, 2) << "\n"
      << "RMSE as a percentage of the observed range (" << number(s.observed_min, 2) << " to "
      << number(s.observed_max, 2) << "): ";
  if (s.rmse_percent_of_range)
    out << number(*s.rmse_percent_of_range, 2) << " %\n";
  else
    out << "none, the range is 0\n";
  if (csv_name) out << "wrote " << *csv_name << "\n";
}

}  // namespace kitmodel
