// What every kitgeo command needs of GDAL: the drivers registered once, the
// messages GDAL reports caught instead of printed, datasets closed by their
// owners, and the model grid's place in CRSTM as GDAL describes it.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

namespace kitgeo {

struct DatasetCloser {
  void operator()(GDALDataset* dataset) const { GDALClose(GDALDataset::ToHandle(dataset)); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

// For the life of one command: GDAL's drivers are registered, and its errors
// and warnings are collected here rather than printed on standard error.
class GdalSession {
 public:
  GdalSession();
  ~GdalSession();
  // GDAL holds this object's address as its error handler's data: a copy
  // would pop the handler twice.
  GdalSession(const GdalSession&) = delete;
  GdalSession& operator=(const GdalSession&) = delete;

  // The last error GDAL reported, or `fallback` when it reported none.
  std::string last_error(std::string_view fallback) const;
  // How many errors GDAL has reported in this session.
  int error_count() const { return errors_; }
  // Warnings reported so far; each is taken once.
  std::vector<std::string> take_warnings();

 private:
  static void CPL_STDCALL collect(CPLErr level, CPLErrorNum number, const char* message);
  std::string last_error_;
  int errors_ = 0;
  std::vector<std::string> warnings_;
};

// CRSTM: transverse Mercator on the Clarke 1866 ellipsoid, latitude of origin
// 44 N, central meridian 86 W, scale 0.9996, false easting 359987 m, false
// northing 344917 m. No datum is named beyond the ellipsoid, so a GIS applies
// no datum shift of its own.
OGRSpatialReference crstm_reference();

// The model grid as a raster: the upper-left corner is the outer edge of cell
// (1, 1), half a cell west and north of its node; pixels are cells, square, and
// rows run south.
std::array<double, 6> model_geotransform();

}  // namespace kitgeo
