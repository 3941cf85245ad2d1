// The four maps of a prepared model. Each draws the whole model grid, one
// colour per cell, and writes a PNG sheet; the legend lists its colours in
// the order given with each function.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "gridkit/points.hpp"
#include "tools/kitmap/canvas.hpp"
#include "tools/kitmap/palette.hpp"

namespace kitmap {

struct MapOptions {
  int cell_px = 2;
  std::string title;    // empty: the map's own title
  double interval = 0;  // band and contour interval; 0 chooses one
  // Residuals at wells drawn over a levels map: CRSTM X, Y and Z =
  // simulated - observed. A dot's size grows with the residual.
  std::vector<gridkit::PointF> residuals;
};

// Water levels inside the IBOUND array: bands of `interval` with contour
// lines and labels at each band limit. A blanked node (Surfer's blank, a dry
// cell of simulated heads) has no level: it is left out of the bands and the
// contours. Legend: bands from the highest down, then "constant head", then
// "no level (dry)" when an active cell has none, then "inactive", then with
// residuals the two colours of their dots.
Bands level_bands(const gridkit::RealGrid& levels, const gridkit::IntGrid& ibound, double interval);
Layout draw_levels_map(const gridkit::RealGrid& levels, const gridkit::IntGrid& ibound,
                       const MapOptions& options, const std::filesystem::path& png,
                       const std::string& display_name);

// A zone array. Legend: each value present, from the lowest up.
Layout draw_zones_map(const gridkit::IntGrid& zones, const MapOptions& options,
                      const std::filesystem::path& png, const std::string& display_name);

// Thickness (top - bottom) inside the IBOUND array, cells where the pinch
// IBOUND is 0 hatched. Legend: bands from the thickest down, "pinched out",
// "inactive".
Bands thickness_bands(const gridkit::RealGrid& top, const gridkit::RealGrid& bottom,
                      const gridkit::IntGrid& ibound, double interval);
Layout draw_thickness_map(const gridkit::RealGrid& top, const gridkit::RealGrid& bottom,
                          const gridkit::IntGrid& pinch, const gridkit::IntGrid& ibound,
                          const MapOptions& options, const std::filesystem::path& png,
                          const std::string& display_name);

// River cells coloured by stream order over the IBOUND array. Legend:
// "inactive", "active", "constant head", then orders 1 to the highest.
Layout draw_rivers_map(const gridkit::IntGrid& order, const gridkit::IntGrid& ibound,
                       const MapOptions& options, const std::filesystem::path& png,
                       const std::string& display_name);

}  // namespace kitmap
