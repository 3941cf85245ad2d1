#include "tools/kitgeo/points_layer.hpp"

#include <cmath>
#include <cstdio>
#include <memory>

#include <ogrsf_frmts.h>

#include "gridkit/error.hpp"
#include "tools/kitgeo/kit_files.hpp"

namespace kitgeo {

namespace fs = std::filesystem;

namespace {

struct TransformCloser {
  void operator()(OGRCoordinateTransformation* t) const {
    OGRCoordinateTransformation::DestroyCT(t);
  }
};

void write_features(GdalSession& gdal, OGRLayer& layer, const std::vector<gridkit::PointD>& points,
                    bool polygon, const std::string& name) {
  auto fail = [&] {
    throw gridkit::KitError::write(name, gdal.last_error("the layer could not be written"));
  };
  if (polygon) {
    OGRLinearRing ring;
    for (const gridkit::PointD& p : points) ring.addPoint(p.x, p.y, static_cast<double>(p.z));
    ring.closeRings();
    OGRPolygon shape;
    shape.addRing(&ring);
    OGRFeature feature(layer.GetLayerDefn());
    feature.SetGeometry(&shape);
    if (layer.CreateFeature(&feature) != OGRERR_NONE) fail();
    return;
  }
  for (const gridkit::PointD& p : points) {
    OGRPoint point(p.x, p.y, static_cast<double>(p.z));
    OGRFeature feature(layer.GetLayerDefn());
    feature.SetGeometry(&point);
    if (layer.CreateFeature(&feature) != OGRERR_NONE) fail();
  }
}

OGRLayer& choose_layer(GDALDataset& source, const std::string& name,
                       const std::optional<std::string>& layer_name) {
  if (layer_name) {
    OGRLayer* layer = source.GetLayerByName(layer_name->c_str());
    if (layer == nullptr)
      throw gridkit::KitError::read_file(name, "no layer named \"" + *layer_name + "\"");
    return *layer;
  }
  const int count = source.GetLayerCount();
  if (count == 0) throw gridkit::KitError::read_file(name, "the file holds no layer");
  if (count > 1) {
    std::string names;
    for (int k = 0; k < count; ++k)
      names += (k == 0 ? "" : ", ") + std::string(source.GetLayer(k)->GetName());
    throw gridkit::KitError::read_file(name, "the file holds " + std::to_string(count) +
                                                 " layers (" + names + "); name one with --layer");
  }
  return *source.GetLayer(0);
}

// A point without coordinates, or with a coordinate that is not a finite
// number (Z beyond single precision included), would reach the point file as
// text no tool reads back; it is refused, naming its feature.
void add_vertex(std::vector<gridkit::PointD>& points, const OGRPoint& p, const std::string& name,
                const std::string& which) {
  if (p.IsEmpty())
    throw gridkit::KitError::read_file(name, which + " is a point without coordinates");
  const gridkit::PointD point{p.getX(), p.getY(), static_cast<float>(p.Is3D() ? p.getZ() : 0.0)};
  if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
    throw gridkit::KitError::read_file(name, which + " has an X or Y that is not a finite number");
  }
  if (!std::isfinite(point.z)) {
    char z[32];
    std::snprintf(z, sizeof z, "%g", p.getZ());
    throw gridkit::KitError::read_file(
        name, which + " has a Z of " + z + ", not a finite number of single precision");
  }
  points.push_back(point);
}

// The vertices of a ring or line in order; the last is dropped when it repeats
// the first.
void add_curve(std::vector<gridkit::PointD>& points, const OGRSimpleCurve& curve,
               const std::string& name, const std::string& which) {
  int count = curve.getNumPoints();
  OGRPoint first;
  OGRPoint last;
  if (count > 1) {
    curve.getPoint(0, &first);
    curve.getPoint(count - 1, &last);
    if (first.getX() == last.getX() && first.getY() == last.getY()) --count;
  }
  for (int k = 0; k < count; ++k) {
    OGRPoint p;
    curve.getPoint(k, &p);
    add_vertex(points, p, name, which + ", vertex " + std::to_string(k + 1));
  }
}

const OGRPolygon& single_polygon(const OGRGeometry& geometry, const std::string& name) {
  const OGRPolygon* polygon = nullptr;
  if (wkbFlatten(geometry.getGeometryType()) == wkbMultiPolygon) {
    const OGRMultiPolygon& parts = *geometry.toMultiPolygon();
    if (parts.getNumGeometries() != 1) {
      throw gridkit::KitError::read_file(name, "a multipolygon of " +
                                                   std::to_string(parts.getNumGeometries()) +
                                                   " parts is not one closed curve");
    }
    polygon = parts.getGeometryRef(0);
  } else {
    polygon = geometry.toPolygon();
  }
  if (polygon->getNumInteriorRings() != 0) {
    throw gridkit::KitError::read_file(name, "the polygon has holes; a closed curve has one ring");
  }
  return *polygon;
}

// The package the layer goes into, written at `temporary`: a copy of the
// GeoPackage already at `existing` with any layer named `layer_name` deleted,
// so its other layers stay, or else a new one (a file there that is not a
// GeoPackage is replaced, as every output of the kit replaces its name).
DatasetPtr open_package(GdalSession& gdal, const fs::path& existing, const fs::path& temporary,
                        const std::string& name, const std::string& layer_name,
                        ExportedLayer& report) {
  const auto create_new = [&] {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    if (driver == nullptr) throw gridkit::KitError::write(name, "GDAL has no GeoPackage driver");
    DatasetPtr package(driver->Create(temporary.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!package)
      throw gridkit::KitError::write(name, gdal.last_error("the GeoPackage could not be created"));
    return package;
  };
  std::error_code error;
  const bool merge =
      fs::is_regular_file(existing, error) && fs::file_size(existing, error) > 0 && !error;
  if (!merge) return create_new();
  fs::copy_file(existing, temporary, fs::copy_options::overwrite_existing, error);
  if (error)
    throw gridkit::KitError::write(name, "the GeoPackage could not be copied: " + error.message());
  // A read-only package is still replaced whole, as a new one would be; its
  // copy must be open for writing.
  fs::permissions(temporary, fs::perms::owner_write, fs::perm_options::add, error);
  const char* const only_gpkg[] = {"GPKG", nullptr};
  DatasetPtr package(
      GDALDataset::Open(temporary.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, only_gpkg));
  if (!package) {
    fs::remove(temporary, error);
    return create_new();
  }
  for (int k = package->GetLayerCount() - 1; k >= 0; --k) {
    // GeoPackage table names are compared without regard to case.
    if (!EQUAL(package->GetLayer(k)->GetName(), layer_name.c_str())) continue;
    if (package->DeleteLayer(k) != OGRERR_NONE) {
      throw gridkit::KitError::write(name,
                                     gdal.last_error("the earlier layer could not be replaced"));
    }
    report.replaced = true;
  }
  report.other_layers = package->GetLayerCount();
  return package;
}

}  // namespace

ExportedLayer export_points_layer(GdalSession& gdal, const std::vector<gridkit::PointD>& points,
                                  bool polygon, const fs::path& folder, const std::string& name,
                                  const std::string& layer_name) {
  if (polygon && points.size() < 3) {
    throw gridkit::KitError::write(
        name, "a polygon needs at least 3 points, the file holds " + std::to_string(points.size()));
  }
  ExportedLayer report;
  PendingOutput pending(folder, name);
  {
    DatasetPtr package =
        open_package(gdal, folder / name, pending.temporary(), name, layer_name, report);
    OGRSpatialReference crs = crstm_reference();
    OGRLayer* layer = package->CreateLayer(layer_name.c_str(), &crs,
                                           polygon ? wkbPolygon25D : wkbPoint25D, nullptr);
    if (layer == nullptr)
      throw gridkit::KitError::write(name, gdal.last_error("the layer could not be created"));
    const int errors_before = gdal.error_count();
    package->StartTransaction();
    write_features(gdal, *layer, points, polygon, name);
    if (package->CommitTransaction() != OGRERR_NONE) {
      throw gridkit::KitError::write(name, gdal.last_error("the layer could not be written"));
    }
    package.reset();
    if (gdal.error_count() != errors_before) {
      throw gridkit::KitError::write(name, gdal.last_error("the GeoPackage could not be written"));
    }
  }
  pending.commit();
  return report;
}

LayerPoints import_points_layer(GdalSession& gdal, const fs::path& folder, const std::string& name,
                                const std::optional<std::string>& layer_name) {
  const fs::path path = folder / name;
  if (!fs::exists(path)) throw gridkit::KitError::open(name, "no such file");
  DatasetPtr source(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
  if (!source)
    throw gridkit::KitError::open(name, gdal.last_error("not a vector layer GDAL can read"));
  OGRLayer& layer = choose_layer(*source, name, layer_name);

  LayerPoints result;
  result.layer = layer.GetName();
  const OGRSpatialReference crstm = crstm_reference();
  const OGRSpatialReference* layer_crs = layer.GetSpatialRef();
  std::unique_ptr<OGRCoordinateTransformation, TransformCloser> to_crstm;
  if (layer_crs == nullptr || layer_crs->IsEmpty()) {
    result.crs_assumed = true;
  } else if (!layer_crs->IsSame(&crstm)) {
    to_crstm.reset(OGRCreateCoordinateTransformation(layer_crs, &crstm));
    if (!to_crstm)
      throw gridkit::KitError::read_file(name, gdal.last_error("no transformation to CRSTM"));
  }

  const GIntBig features = layer.GetFeatureCount();
  long number = 0;
  layer.ResetReading();
  while (const std::unique_ptr<OGRFeature> feature{layer.GetNextFeature()}) {
    ++number;
    const OGRGeometry* geometry = feature->GetGeometryRef();
    const std::string which = "feature " + std::to_string(number);
    if (geometry == nullptr) throw gridkit::KitError::read_file(name, which + " has no geometry");
    const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
    if (type == wkbPoint) {
      add_vertex(result.points, *geometry->toPoint(), name, which);
    } else if (type == wkbMultiPoint) {
      for (const OGRPoint* p : *geometry->toMultiPoint())
        add_vertex(result.points, *p, name, which);
    } else if (type == wkbPolygon || type == wkbMultiPolygon || type == wkbLineString) {
      if (features != 1) {
        throw gridkit::KitError::read_file(name,
                                           "the layer holds " + std::to_string(features) +
                                               " features; a curve file takes the vertices of one "
                                               "polygon or line");
      }
      result.from_shape = true;
      if (type == wkbLineString) {
        add_curve(result.points, *geometry->toLineString(), name, which);
      } else {
        add_curve(result.points, *single_polygon(*geometry, name).getExteriorRing(), name, which);
      }
    } else {
      throw gridkit::KitError::read_file(name, which + " is a " +
                                                   std::string(geometry->getGeometryName()) +
                                                   "; points, a polygon or a line are read");
    }
  }
  if (to_crstm) {
    for (gridkit::PointD& p : result.points) {
      double z = p.z;
      if (!to_crstm->Transform(1, &p.x, &p.y, &z)) {
        throw gridkit::KitError::read_file(
            name, gdal.last_error("a point could not be transformed to CRSTM"));
      }
    }
  }
  return result;
}

}  // namespace kitgeo
