// CRSTM point files as GIS vector layers and back.
//
// Export writes a GeoPackage layer in CRSTM, named after the point file:
// either one 3D point per line of the file, in order, or (for a closed curve
// of QUARRYPIT) one 3D polygon through the points in order, closed by GIS
// convention with a copy of the first point.
//
// Import reads any layer GDAL opens: points (and multipoints) in feature
// order, or the vertices of one polygon (or one line) in order, the closing
// vertex dropped, so the curve file lists each corner once as QUARRYPIT
// wants. Coordinates are transformed to CRSTM when the layer is in another
// coordinate system; Z comes from the geometry, 0 for 2D geometry.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gridkit/points.hpp"
#include "tools/kitgeo/gdal_support.hpp"

namespace kitgeo {

// Into an existing GeoPackage the layer is added, or replaces the layer of its
// name; the package's other layers are kept.
struct ExportedLayer {
  bool replaced = false;  // a layer of that name was there before
  int other_layers = 0;   // layers of the package kept beside it
};
ExportedLayer export_points_layer(GdalSession& gdal, const std::vector<gridkit::PointD>& points,
                                  bool polygon, const std::filesystem::path& folder,
                                  const std::string& name, const std::string& layer_name);

struct LayerPoints {
  std::vector<gridkit::PointD> points;
  std::string layer;         // the layer read
  bool from_shape = false;   // vertices of one polygon or line rather than points
  bool crs_assumed = false;  // the layer named no coordinate system: taken as CRSTM
};

LayerPoints import_points_layer(GdalSession& gdal, const std::filesystem::path& folder,
                                const std::string& name,
                                const std::optional<std::string>& layer_name);

}  // namespace kitgeo
