#include "tools/kitgeo/arguments.hpp"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "gridkit/error.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/numfmt.hpp"

namespace kitgeo {

namespace {

constexpr std::array<std::pair<std::string_view, Resampling>, 3> kResamplings{{
    {"nearest", Resampling::Nearest}, {"bilinear", Resampling::Bilinear}, {"average", Resampling::Average}}};
constexpr std::array<std::pair<std::string_view, Command>, 4> kCommands{{
    {"export", Command::Export}, {"import", Command::Import},
    {"export-points", Command::ExportPoints}, {"import-points", Command::ImportPoints}}};

[[noreturn]] void usage_error(const std::string& message) {
  throw gridkit::KitError("kitgeo: " + message + " (kitgeo --help shows the usage)");
}

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

// The options each command accepts; --polygon is the only one without a value.
bool accepts(Command command, std::string_view option) {
  switch (command) {
    case Command::Export: return option == "--layout" || option == "--ibound";
    case Command::Import: return option == "--layout" || option == "--ibound" || option == "--resampling";
    case Command::ExportPoints: return option == "--polygon";
    case Command::ImportPoints: return option == "--layer";
    case Command::Help: return false;
  }
  return false;
}

}  // namespace

Arguments parse_arguments(std::span<const std::string> args) {
  Arguments parsed;
  if (args.empty()) usage_error("no command given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") return parsed;
  const std::string& command_name = args[0];
  bool known = false;
  for (const auto& [name, command] : kCommands) {
    if (name == command_name) {
      parsed.command = command;
      known = true;
    }
  }
  if (!known) usage_error("unknown command \"" + command_name + "\"");

  std::vector<std::string> names;
  bool layout_given = false;
  for (std::size_t k = 1; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (arg == "--help" || arg == "-h") {
      parsed.command = Command::Help;
      return parsed;
    }
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      names.push_back(arg);
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string option = arg.substr(0, equals);
    if (!accepts(parsed.command, option)) {
      usage_error(command_name + " takes no option " + option);
    }
    if (option == "--polygon") {
      if (equals != std::string::npos) usage_error("--polygon takes no value");
      parsed.polygon = true;
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (k + 1 < args.size()) {
      value = args[++k];
    } else {
      usage_error(option + " needs a value");
    }
    if (option == "--layout") {
      parsed.layout = choice(gridkit::kArrayLayoutNames, option, value);
      layout_given = true;
    } else if (option == "--resampling") {
      parsed.resampling = choice(kResamplings, option, value);
    } else if (option == "--ibound") {
      parsed.ibound = value;
    } else if (option == "--layer") {
      parsed.layer = value;
    }
  }
  if (names.size() != 2) {
    usage_error(command_name + " takes an input and an output name, " + std::to_string(names.size()) +
                (names.size() == 1 ? " was given" : " were given"));
  }
  parsed.input = names[0];
  parsed.output = names[1];
  if ((parsed.command == Command::Export || parsed.command == Command::Import) && !layout_given) {
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
         "The model grid: " + std::to_string(g.columns) + " columns x " + std::to_string(g.rows) + " rows of " +
         gridkit::shortest_fixed(g.cell_size) + " m cells in CRSTM\n"
         "(transverse Mercator, Clarke 1866), upper-left corner X " + gridkit::shortest_fixed(west) + ", Y " +
         gridkit::shortest_fixed(north) + ".\n"
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
