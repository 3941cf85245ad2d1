#include "tools/kitgeo/tests/test_support.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "gridkit/entry/program_entry.hpp"
#include "gridkit/error.hpp"
#include "gridkit/textfile.hpp"
#include "tools/kitgeo/gdal_support.hpp"
#include "tools/kitgeo/kit_files.hpp"
#include "tools/kitgeo/kitgeo.hpp"

namespace kitgeo::testing {

namespace fs = std::filesystem;

KitgeoRun kitgeo(const fs::path& folder, const std::string& command_line) {
  std::vector<std::string> args;
  std::istringstream words(command_line);
  for (std::string word; words >> word;) args.push_back(word);
  std::ostringstream out;
  std::ostringstream err;
  KitgeoRun run;
  run.status = gridkit::run_program("kitgeo", args, out, err, [&] {
    run_kitgeo(args, out, folder);
    return 0;
  });
  run.error = err.str();
  if (!run.error.empty()) run.error.pop_back();  // the line's end
  run.output = out.str();
  return run;
}

RasterBand read_band(const fs::path& path) {
  GdalSession gdal;
  const DatasetPtr raster(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER));
  RasterBand band;
  if (!raster) {
    ADD_FAILURE() << "GDAL cannot open " << path;
    return band;
  }
  GDALRasterBand* b = raster->GetRasterBand(1);
  band.width = raster->GetRasterXSize();
  band.height = raster->GetRasterYSize();
  band.values.resize(static_cast<std::size_t>(band.width) * band.height);
  EXPECT_EQ(b->RasterIO(GF_Read, 0, 0, band.width, band.height, band.values.data(), band.width,
                        band.height, GDT_Float64, 0, 0, nullptr),
            CE_None);
  int has_nodata = 0;
  band.nodata = b->GetNoDataValue(&has_nodata);
  band.has_nodata = has_nodata != 0;
  band.type = GDALGetDataTypeName(b->GetRasterDataType());
  return band;
}

void write_raster(const fs::path& path, const std::array<double, 6>& transform,
                  const std::string& crs, int columns, int rows,
                  const std::vector<double>& values) {
  GdalSession gdal;
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
  DatasetPtr raster(driver->Create(path.c_str(), columns, rows, 1, GDT_Float64, nullptr));
  ASSERT_TRUE(raster) << gdal.last_error("no raster");
  std::array<double, 6> t = transform;
  raster->SetGeoTransform(t.data());
  if (!crs.empty()) {
    OGRSpatialReference reference;
    ASSERT_EQ(reference.SetFromUserInput(crs.c_str()), OGRERR_NONE) << crs;
    raster->SetSpatialRef(&reference);
  }
  std::vector<double> copy = values;
  ASSERT_EQ(raster->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, columns, rows, copy.data(), columns,
                                               rows, GDT_Float64, 0, 0, nullptr),
            CE_None);
}

gridkit::IntGrid sample_ibound() {
  return read_ibound_array(fs::path(KIT_SOURCE_DIR) / "samples/common", "IBOUND.ARR");
}

}  // namespace kitgeo::testing
