// Running kitgeo in-process in a scratch folder (tests/support), and the
// small files and rasters its tests are made of.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "tests/support/scratch_folder.hpp"

namespace kitgeo::testing {

struct KitgeoRun {
  std::string output;  // what the run reported
  std::string error;   // the error line, empty after a normal run
  int status = 0;      // as the process would exit
};

using kit_test::ScratchFolder;

// One command line, split at blanks, run in `folder`.
KitgeoRun kitgeo(const std::filesystem::path& folder, const std::string& command_line);

// Band 1 of a raster as doubles (row 1 first), with its nodata value if any.
struct RasterBand {
  int width = 0;
  int height = 0;
  std::vector<double> values;
  bool has_nodata = false;
  double nodata = 0.0;
  std::string type;  // GDAL's name of the pixel type
};
RasterBand read_band(const std::filesystem::path& path);

// A Float64 raster in latitude and longitude on the Clarke 1866 ellipsoid:
// `columns` x `rows` pixels of `step` degrees from the north-west corner
// (west, north), each pixel holding value(lat, lon east) of its centre.
template <class F>
void write_geographic_raster(const std::filesystem::path& path, double west, double north,
                             double step, int columns, int rows, F value);
// A Float64 raster of `columns` x `rows` pixels, row 1 first, at `transform`
// (GDAL's six numbers) in the coordinate system `crs` (any text GDAL takes;
// empty for none).
void write_raster(const std::filesystem::path& path, const std::array<double, 6>& transform,
                  const std::string& crs, int columns, int rows, const std::vector<double>& values);

template <class F>
void write_geographic_raster(const std::filesystem::path& path, double west, double north,
                             double step, int columns, int rows, F value) {
  std::vector<double> values;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c)
      values.push_back(value(north - (r + 0.5) * step, west + (c + 0.5) * step));
  }
  write_raster(path, {west, step, 0.0, north, 0.0, -step}, "+proj=longlat +ellps=clrk66 +no_defs",
               columns, rows, values);
}

// The sample IBOUND array of the kit.
gridkit::IntGrid sample_ibound();

}  // namespace kitgeo::testing
