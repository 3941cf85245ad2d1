#include "tools/kitgeo/arguments.hpp"

#include <array>
#include <utility>
#include <vector>

#include "gridkit/entry/options.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/numfmt.hpp"

namespace kitgeo {

namespace {

constexpr std::array<std::pair<std::string_view, Resampling>, 3> kResamplings{
    {{"nearest", Resampling::Nearest},
     {"bilinear", Resampling::Bilinear},
     {"average", Resampling::Average}}};

struct CommandName {
  std::string_view name;
  Command command;
};
constexpr CommandName kCommands[] = {{"export", Command::Export},
                                     {"import", Command::Import},
                                     {"export-points", Command::ExportPoints},
                                     {"import-points", Command::ImportPoints}};

[[noreturn]] void usage_error(const std::string& message) { throw gridkit::UsageError(message); }

template <class T, std::size_t N>
T choice(const std::array<std::pair<std::string_view, T>, N>& table, std::string_view option,
         std::string_view value) {
  for (const auto& [name, item] : table) {
    if (name == value) return item;
  }
  std::string names;
  for (const auto& entry : table) names += (names.empty() ? "" : "|") + std::string(entry.first);
  usage_error(std::string(option) + " takes " + names + ", not \"" + std::string(value) + "\"");
}

// The options each command takes; --polygon is the only one without a value.
gridkit::ParsedOptions parse_options_of(Command command, std::span<const std::string> args) {
  switch (command) {
    case Command::Export: return gridkit::parse_options(args, {{"--layout"}, {"--ibound"}});
    case Command::Import:
      return gridkit::parse_options(args, {{"--layout"}, {"--ibound"}, {"--resampling"}});
    case Command::ExportPoints: return gridkit::parse_options(args, {{"--polygon", false}});
    case Command::ImportPoints: return gridkit::parse_options(args, {{"--layer"}});
    case Command::Help: break;
  }
  return {};
}

}  // namespace

std::string_view resampling_name(Resampling resampling) {
  for (const auto& [name, item] : kResamplings)
    if (item == resampling) return name;
  return "?";
}

Arguments parse_arguments(std::span<const std::string> args) {
  Arguments parsed;
  if (gridkit::asks_for_help(args)) return parsed;
  const CommandName& command = gridkit::pick_command(kCommands, args);
  const std::string command_name(command.name);
  const gridkit::ParsedOptions options = parse_options_of(command.command, args.subspan(1));
  if (options.help) return parsed;
  parsed.command = command.command;
  parsed.polygon = options.has("--polygon");
  parsed.ibound = options.value("--ibound");
  parsed.layer = options.value("--layer");
  if (const auto resampling = options.value("--resampling")) {
    parsed.resampling = choice(kResamplings, "--resampling", *resampling);
  }
  const std::optional<std::string> layout = options.value("--layout");
  if (layout) parsed.layout = choice(gridkit::kArrayLayoutNames, "--layout", *layout);
  const std::vector<std::string>& names = options.words;
  if (names.size() != 2) {
    usage_error(command_name + " takes an input and an output name, " +
                std::to_string(names.size()) + (names.size() == 1 ? " was given" : " were given"));
  }
  parsed.input = names[0];
  parsed.output = names[1];
  if (!layout && (parsed.command == Command::Export || parsed.command == Command::Import)) {
    usage_error(command_name + " needs --layout int|fixed|free|exp");
  }
  return parsed;
}

std::string usage() {
  const gridkit::ModelGrid& g = gridkit::model_grid();
  const double west = gridkit::node_x_double(1) - static_cast<double>(g.cell_size) / 2.0;
  const double north = gridkit::node_y_double(1) + static_cast<double>(g.cell_size) / 2.0;
  return "usage: kitgeo COMMAND INPUT OUTPUT [OPTIONS]\n"
         "\n"
         "Model arrays and point files of the groundwater model kit to and from GIS.\n"
         "The model grid: " +
         std::to_string(g.columns) + " columns x " + std::to_string(g.rows) + " rows of " +
         gridkit::shortest_fixed(g.cell_size) +
         " m cells in CRSTM\n"
         "(transverse Mercator, Clarke 1866), upper-left corner X " +
         gridkit::shortest_fixed(west) + ", Y " + gridkit::shortest_fixed(north) +
         ".\n"
         "\n"
         "  export ARRAY OUT.tif --layout L [--ibound IBOUND.ARR]\n"
         "      A GeoTIFF of the array on the model grid: Float32 (Int32 for the int\n"
         "      layout), every value as read; cells inactive in IBOUND are nodata.\n"
         "  import RASTER OUT --layout L [--resampling R] [--ibound IBOUND.ARR]\n"
         "      Band 1 of any georeferenced raster warped onto the model grid and\n"
         "      written in the layout. Cells outside the raster or without data are\n"
         "      counted and written as 0; with --ibound every active cell must have data.\n"
         "  export-points POINTS.XYZ OUT.gpkg [--polygon]\n"
         "      A CRSTM point file as a GeoPackage layer of points (Z kept), or with\n"
         "      --polygon as one closed polygon, a curve for QUARRYPIT.\n"
         "  import-points LAYER OUT.XYZ [--layer NAME]\n"
         "      Points, or the vertices of one polygon in order without the closing\n"
         "      vertex, of any GIS layer, as a CRSTM point file X Y Z.\n"
         "\n"
         "  --layout int|fixed|free|exp\n"
         "      int: integers in fields of 3, 25 to a line (IBOUND, zone arrays);\n"
         "      fixed: reals in fields of 8 with 1 decimal, 10 to a line;\n"
         "      free: reals separated by blanks, each row on new lines;\n"
         "      exp: reals in fields of 10 (.12500E+02), 8 to a line.\n"
         "  --resampling nearest|bilinear|average   (import; nearest unless told)\n"
         "\n"
         "Errors stop kitgeo with one line on standard error and exit status 2;\n"
         "an output is replaced only when it has been written whole.\n";
}

}  // namespace kitgeo
