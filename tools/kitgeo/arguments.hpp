// The command line of kitgeo: a command, two file names and a few options.
//
//   kitgeo export ARRAY OUT.tif --layout L [--ibound IBOUND]
//   kitgeo import RASTER OUT --layout L [--resampling R] [--ibound IBOUND]
//   kitgeo export-points POINTS OUT.gpkg [--polygon]
//   kitgeo import-points LAYER OUT [--layer NAME]
//
// Options are read as every program of the kit reads them
// (gridkit/entry/options.hpp); a missing or extra name, a layout or
// resampling that does not exist, is a usage error naming what was wrong.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gridkit/array_layout.hpp"

namespace kitgeo {

using gridkit::ArrayLayout;

// How the warper samples the source raster at a cell.
enum class Resampling { Nearest, Bilinear, Average };
// "nearest", as --resampling takes it.
std::string_view resampling_name(Resampling resampling);

enum class Command { Help, Export, Import, ExportPoints, ImportPoints };

struct Arguments {
  Command command = Command::Help;
  std::string input;
  std::string output;
  ArrayLayout layout = ArrayLayout::Fixed;
  std::optional<std::string> ibound;  // IBOUND array file, when given
  Resampling resampling = Resampling::Nearest;
  bool polygon = false;              // export-points: one closed polygon
  std::optional<std::string> layer;  // import-points: the layer to read
};

Arguments parse_arguments(std::span<const std::string> args);

// The usage, naming the model grid of the run.
std::string usage();

}  // namespace kitgeo
