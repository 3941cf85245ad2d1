// A model array as a GeoTIFF on the model grid: a pixel a cell, of the cell size,
// the CRSTM coordinate system written into the file, deflate compression.
// Real arrays are Float32 and integer arrays Int32, so every value read from
// the array is the value stored. With an IBOUND array, cells inactive in it
// (IBOUND 0) are nodata; without one no nodata value is set.
#pragma once

#include <filesystem>
#include <string>

#include "gridkit/grid.hpp"
#include "tools/kitgeo/gdal_support.hpp"
#include "tools/kitgeo/kit_files.hpp"

namespace kitgeo {

// The nodata values: no kit layout can hold either.
inline constexpr float kRealNodata = -3.4028234663852886e38f;  // lowest float
inline constexpr std::int32_t kIntNodata = -2147483647 - 1;    // lowest int32

struct ExportSummary {
  bool integer = false;  // Int32 rather than Float32
  long nodata_cells = 0;
};

ExportSummary export_geotiff(GdalSession& gdal, const ModelArray& array,
                             const gridkit::IntGrid* ibound, const std::filesystem::path& folder,
                             const std::string& name);

}  // namespace kitgeo
