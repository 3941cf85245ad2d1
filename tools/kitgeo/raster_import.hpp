// Band 1 of any raster GDAL reads, in any coordinate system, warped onto the
// model grid by GDAL's warper. The warper also writes an alpha band, so a
// cell outside the raster or covered only by nodata (the band's nodata value,
// the raster's mask or alpha band) is known as a cell without data.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "tools/kitgeo/arguments.hpp"
#include "tools/kitgeo/gdal_support.hpp"
#include "tools/kitgeo/kit_files.hpp"

namespace kitgeo {

struct WarpedGrid {
  gridkit::GridArray<double> values;           // 0 where there is no data
  gridkit::GridArray<unsigned char> has_data;  // 1 or 0
  bool crs_assumed = false;  // the raster named no coordinate system: taken as CRSTM
};

WarpedGrid warp_to_model_grid(GdalSession& gdal, const std::filesystem::path& folder,
                              const std::string& name, Resampling resampling);

// The warped values in a layout's array: reals to single precision, integers
// rounded half away from zero; a cell without data reads 0. A value that the
// layout would show as asterisks is refused, naming the cell.
struct LayoutImport {
  ModelArray array;
  long cells_without_data = 0;
  std::optional<gridkit::Cell> first_active_without_data;  // with an IBOUND array
  long active_without_data = 0;
  long active_with_data = 0;  // every cell is active without an IBOUND array
};
LayoutImport to_layout(const WarpedGrid& warped, ArrayLayout layout, const gridkit::IntGrid* ibound,
                       const std::string& name);

}  // namespace kitgeo
