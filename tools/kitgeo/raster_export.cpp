#include "tools/kitgeo/raster_export.hpp"

#include <cstring>
#include <vector>

#include <cpl_string.h>

#include "gridkit/error.hpp"

namespace kitgeo {

namespace {

using gridkit::NCOL;
using gridkit::NROW;

// The pixels of the array, row 1 first, with inactive cells set to nodata.
// A value equal to the nodata value in an active cell would be lost: refused.
template <class T>
std::vector<T> pixels_of(const gridkit::GridArray<T>& grid, const gridkit::IntGrid* ibound,
                         T nodata, const std::string& name, long& nodata_cells) {
  std::vector<T> pixels = grid.values();
  if (ibound == nullptr) return pixels;
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      T& pixel = pixels[static_cast<std::size_t>(i - 1) * NCOL() + static_cast<std::size_t>(j - 1)];
      if ((*ibound)(i, j) == 0) {
        pixel = nodata;
        ++nodata_cells;
      } else if (pixel == nodata) {
        throw gridkit::KitError::write(name, "cell (row " + std::to_string(i) + ", column " +
                                                 std::to_string(j) + ") holds the nodata value");
      }
    }
  }
  return pixels;
}

}  // namespace

ExportSummary export_geotiff(GdalSession& gdal, const ModelArray& array,
                             const gridkit::IntGrid* ibound, const std::filesystem::path& folder,
                             const std::string& name) {
  ExportSummary summary;
  summary.integer = std::holds_alternative<gridkit::IntGrid>(array);
  std::vector<std::int32_t> ints;
  std::vector<float> reals;
  if (summary.integer) {
    ints = pixels_of(std::get<gridkit::IntGrid>(array), ibound, kIntNodata, name,
                     summary.nodata_cells);
  } else {
    reals = pixels_of(std::get<gridkit::RealGrid>(array), ibound, kRealNodata, name,
                      summary.nodata_cells);
  }
  const GDALDataType type = summary.integer ? GDT_Int32 : GDT_Float32;

  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
  if (driver == nullptr) throw gridkit::KitError::write(name, "GDAL has no GeoTIFF driver");
  PendingOutput pending(folder, name);
  {
    // Predictor 2 (differences) suits integers, 3 (floating point) reals.
    CPLStringList options;
    options.AddNameValue("COMPRESS", "DEFLATE");
    options.AddNameValue("PREDICTOR", summary.integer ? "2" : "3");
    DatasetPtr tiff(
        driver->Create(pending.temporary().c_str(), NCOL(), NROW(), 1, type, options.List()));
    if (!tiff)
      throw gridkit::KitError::write(name, gdal.last_error("the GeoTIFF could not be created"));
    std::array<double, 6> transform = model_geotransform();
    const OGRSpatialReference crs = crstm_reference();
    GDALRasterBand* band = tiff->GetRasterBand(1);
    bool ok =
        tiff->SetGeoTransform(transform.data()) == CE_None && tiff->SetSpatialRef(&crs) == CE_None;
    if (ok && ibound != nullptr) {
      ok = band->SetNoDataValue(summary.integer ? static_cast<double>(kIntNodata)
                                                : static_cast<double>(kRealNodata)) == CE_None;
    }
    void* data =
        summary.integer ? static_cast<void*>(ints.data()) : static_cast<void*>(reals.data());
    ok = ok && band->RasterIO(GF_Write, 0, 0, NCOL(), NROW(), data, NCOL(), NROW(), type, 0, 0,
                              nullptr) == CE_None;
    const int errors_before_close = gdal.error_count();
    tiff.reset();  // closing writes the last strips and the directory
    if (!ok || gdal.error_count() != errors_before_close) {
      throw gridkit::KitError::write(name, gdal.last_error("the GeoTIFF could not be written"));
    }
  }
  pending.commit();
  return summary;
}

}  // namespace kitgeo
