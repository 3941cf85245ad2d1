#include "tools/kitgeo/raster_import.hpp"

#include <cmath>
#include <memory>

#include <cpl_string.h>
#include <gdal_alg.h>
#include <gdalwarper.h>

#include "gridkit/error.hpp"

namespace kitgeo {

namespace fs = std::filesystem;
using gridkit::NCOL;
using gridkit::NROW;

namespace {

struct TransformerCloser {
  void operator()(void* transformer) const { GDALDestroyGenImgProjTransformer(transformer); }
};
struct WarpOptionsCloser {
  void operator()(GDALWarpOptions* options) const { GDALDestroyWarpOptions(options); }
};

GDALResampleAlg algorithm_of(Resampling resampling) {
  switch (resampling) {
    case Resampling::Nearest: return GRA_NearestNeighbour;
    case Resampling::Bilinear: return GRA_Bilinear;
    case Resampling::Average: return GRA_Average;
  }
  return GRA_NearestNeighbour;
}

// The band marked as alpha, other than band 1; 0 when there is none.
int alpha_band_of(GDALDataset& raster) {
  for (int b = 2; b <= raster.GetRasterCount(); ++b) {
    if (raster.GetRasterBand(b)->GetColorInterpretation() == GCI_AlphaBand) return b;
  }
  return 0;
}

DatasetPtr open_raster(GdalSession& gdal, const fs::path& path, const std::string& name) {
  if (!fs::exists(path)) throw gridkit::KitError::open(name, "no such file");
  DatasetPtr raster(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
  if (!raster) throw gridkit::KitError::open(name, gdal.last_error("not a raster GDAL can read"));
  if (raster->GetRasterCount() < 1)
    throw gridkit::KitError::read_file(name, "the raster has no band");
  double transform[6];
  if (raster->GetGeoTransform(transform) != CE_None && raster->GetGCPCount() == 0) {
    throw gridkit::KitError::read_file(name,
                                       "the raster has no georeferencing (no position on the map)");
  }
  return raster;
}

// An empty raster in memory on the model grid, a pixel a cell: band 1 the values,
// band 2 the alpha the warper writes.
DatasetPtr model_grid_in_memory(GdalSession& gdal) {
  GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
  DatasetPtr grid(memory == nullptr ? nullptr
                                    : memory->Create("", NCOL(), NROW(), 2, GDT_Float64, nullptr));
  if (!grid)
    throw gridkit::KitError(gdal.last_error("GDAL could not make the model grid in memory"));
  std::array<double, 6> transform = model_geotransform();
  const OGRSpatialReference crs = crstm_reference();
  grid->SetGeoTransform(transform.data());
  grid->SetSpatialRef(&crs);
  return grid;
}

}  // namespace

WarpedGrid warp_to_model_grid(GdalSession& gdal, const fs::path& folder, const std::string& name,
                              Resampling resampling) {
  DatasetPtr source = open_raster(gdal, folder / name, name);
  DatasetPtr grid = model_grid_in_memory(gdal);
  WarpedGrid warped{gridkit::GridArray<double>(), gridkit::GridArray<unsigned char>(), false};

  const bool georeferenced_by_gcps = source->GetGCPCount() > 0;
  const OGRSpatialReference* source_crs =
      georeferenced_by_gcps ? source->GetGCPSpatialRef() : source->GetSpatialRef();
  CPLStringList transformer_options;
  if (source_crs == nullptr || source_crs->IsEmpty()) {
    warped.crs_assumed = true;
    char* wkt = nullptr;
    crstm_reference().exportToWkt(&wkt);
    transformer_options.SetNameValue("SRC_SRS", wkt);
    CPLFree(wkt);
  }
  const std::unique_ptr<void, TransformerCloser> transformer(GDALCreateGenImgProjTransformer2(
      GDALDataset::ToHandle(source.get()), GDALDataset::ToHandle(grid.get()),
      transformer_options.List()));
  if (!transformer) {
    throw gridkit::KitError::read_file(name, gdal.last_error("no transformation to CRSTM"));
  }

  const std::unique_ptr<GDALWarpOptions, WarpOptionsCloser> options(GDALCreateWarpOptions());
  options->hSrcDS = GDALDataset::ToHandle(source.get());
  options->hDstDS = GDALDataset::ToHandle(grid.get());
  options->nBandCount = 1;
  options->panSrcBands = static_cast<int*>(CPLMalloc(sizeof(int)));
  options->panSrcBands[0] = 1;
  options->panDstBands = static_cast<int*>(CPLMalloc(sizeof(int)));
  options->panDstBands[0] = 1;
  options->nSrcAlphaBand = alpha_band_of(*source);
  options->nDstAlphaBand = 2;
  options->eResampleAlg = algorithm_of(resampling);
  options->eWorkingDataType = GDT_Float64;
  int has_nodata = 0;
  const double nodata = source->GetRasterBand(1)->GetNoDataValue(&has_nodata);
  if (has_nodata != 0) {
    options->padfSrcNoDataReal = static_cast<double*>(CPLMalloc(sizeof(double)));
    options->padfSrcNoDataReal[0] = nodata;
  }
  options->papszWarpOptions = CSLSetNameValue(options->papszWarpOptions, "INIT_DEST", "0");
  options->pfnTransformer = GDALGenImgProjTransform;
  options->pTransformerArg = transformer.get();

  GDALWarpOperation operation;
  if (operation.Initialize(options.get()) != CE_None ||
      operation.ChunkAndWarpImage(0, 0, NCOL(), NROW()) != CE_None) {
    throw gridkit::KitError::read_file(
        name, gdal.last_error("the raster could not be warped onto the model grid"));
  }

  std::vector<double> alpha(static_cast<std::size_t>(NCOL()) * NROW());
  if (grid->GetRasterBand(1)->RasterIO(GF_Read, 0, 0, NCOL(), NROW(), warped.values.values().data(),
                                       NCOL(), NROW(), GDT_Float64, 0, 0, nullptr) != CE_None ||
      grid->GetRasterBand(2)->RasterIO(GF_Read, 0, 0, NCOL(), NROW(), alpha.data(), NCOL(), NROW(),
                                       GDT_Float64, 0, 0, nullptr) != CE_None) {
    throw gridkit::KitError::read_file(name,
                                       gdal.last_error("the warped grid could not be read back"));
  }
  for (std::size_t k = 0; k < alpha.size(); ++k) {
    double& value = warped.values.values()[k];
    const bool has_data = alpha[k] > 0.0 && std::isfinite(value);
    warped.has_data.values()[k] = has_data ? 1 : 0;
    if (!has_data) value = 0.0;
  }
  return warped;
}

LayoutImport to_layout(const WarpedGrid& warped, ArrayLayout layout, const gridkit::IntGrid* ibound,
                       const std::string& name) {
  LayoutImport result;
  gridkit::IntGrid ints;
  gridkit::RealGrid reals;
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      const double value = warped.values(i, j);
      const bool active = ibound == nullptr || (*ibound)(i, j) != 0;
      if (active && warped.has_data(i, j) != 0) ++result.active_with_data;
      if (warped.has_data(i, j) == 0) {
        ++result.cells_without_data;
        if (ibound != nullptr && (*ibound)(i, j) != 0) {
          if (!result.first_active_without_data)
            result.first_active_without_data = gridkit::Cell{i, j};
          ++result.active_without_data;
        }
      } else if (!gridkit::fits_layout(value, layout)) {
        throw gridkit::KitError::write(
            name, "the value " + std::to_string(value) + " of cell (row " + std::to_string(i) +
                      ", column " + std::to_string(j) + ") does not fit the " +
                      std::string(gridkit::layout_name(layout)) + " layout");
      }
      if (layout == ArrayLayout::Int) {
        ints(i, j) = static_cast<std::int32_t>(std::llround(value));
      } else {
        reals(i, j) = static_cast<float>(value);
      }
    }
  }
  if (layout == ArrayLayout::Int) {
    result.array = std::move(ints);
  } else {
    result.array = std::move(reals);
  }
  return result;
}

}  // namespace kitgeo
