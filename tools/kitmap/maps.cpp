#include "tools/kitmap/maps.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "gridkit/dsaa_reader.hpp"
#include "gridkit/error.hpp"
#include "gridkit/extremes.hpp"
#include "tools/kitmap/contour_labels.hpp"

namespace kitmap {

namespace {

using gridkit::IntGrid;
using gridkit::NCOL;
using gridkit::NROW;
using gridkit::RealGrid;

Layout sheet_layout(const MapOptions& options) {
  Layout layout;
  layout.cell_px = options.cell_px;
  // Cairo draws no image wider or taller than this; a large grid needs a
  // smaller --cell, or does not fit a sheet at all.
  constexpr long kLargestSide = 32767;
  const long width = layout.left + static_cast<long>(NCOL()) * layout.cell_px + layout.right;
  const long height = layout.top + static_cast<long>(NROW()) * layout.cell_px + layout.bottom;
  if (width > kLargestSide || height > kLargestSide)
    throw gridkit::KitError("kitmap: the map would be " + std::to_string(width) + " x " +
                            std::to_string(height) + " pixels, more than the " +
                            std::to_string(kLargestSide) +
                            " a sheet can have (a smaller --cell draws it smaller)");
  return layout;
}

std::string title_or(const MapOptions& options, const std::string& fallback) {
  return options.title.empty() ? fallback : options.title;
}

// Smallest and largest value over the cells where IBOUND is not 0 and the
// cell holds a value; both 0 when there is none.
template <class Value, class HasValue>
gridkit::Extremes<double> active_range(const IntGrid& ibound, Value value, HasValue has_value) {
  auto range = gridkit::Extremes<double>::none();
  for (int i = 1; i <= NROW(); ++i)
    for (int j = 1; j <= NCOL(); ++j)
      if (ibound(i, j) != 0 && has_value(i, j)) range.include(value(i, j));
  return range.empty() ? gridkit::Extremes<double>{} : range;
}

// Band items from the highest band down.
std::vector<LegendItem> band_items(const Bands& bands) {
  std::vector<LegendItem> items;
  for (int k = bands.count - 1; k >= 0; --k) items.push_back({bands.colour(k), bands.label(k)});
  return items;
}

// Residual dots: red where the model is above the observation, blue where it
// is below; the radius grows with the residual up to 10 length units.
constexpr Rgb kAboveObserved{200, 40, 40};
constexpr Rgb kBelowObserved{30, 70, 190};

void draw_residuals(Canvas& canvas, const std::vector<gridkit::PointF>& residuals) {
  cairo_t* cr = canvas.cr();
  const Layout& l = canvas.layout();
  for (const gridkit::PointF& p : residuals) {
    const double size = std::min(std::fabs(static_cast<double>(p.z)), 10.0);
    const double radius = (1.0 + 0.25 * size) * l.cell_px;
    cairo_arc(cr, l.x_of(p.x), l.y_of(p.y), radius, 0.0, 2.0 * M_PI);
    const Rgb c = p.z > 0.0f ? kAboveObserved : kBelowObserved;
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
}

}  // namespace

Bands level_bands(const RealGrid& levels, const IntGrid& ibound, double interval) {
  const auto [lo, hi] = active_range(
      ibound, [&](int i, int j) { return double{levels(i, j)}; },
      [&](int i, int j) { return !gridkit::dsaa_blanked(levels(i, j)); });
  return choose_bands(lo, hi, interval, 12, kLevelRamp);
}

Layout draw_levels_map(const RealGrid& levels, const IntGrid& ibound, const MapOptions& options,
                       const std::filesystem::path& png, const std::string& display_name) {
  const Bands bands = level_bands(levels, ibound, options.interval);
  Canvas canvas(sheet_layout(options), title_or(options, "Water levels (feet)"));
  bool any_blanked = false;
  for (int i = 1; i <= NROW(); ++i)
    for (int j = 1; j <= NCOL(); ++j) {
      const int code = ibound(i, j);
      const bool blanked = code > 0 && gridkit::dsaa_blanked(levels(i, j));
      any_blanked = any_blanked || blanked;
      canvas.fill_cell(i, j,
                       code == 0  ? kInactive
                       : code < 0 ? kConstantHead
                       : blanked  ? kNoData
                                  : bands.colour(bands.band_of(levels(i, j))));
    }
  draw_contours(canvas, levels, ibound, bands);
  draw_residuals(canvas, options.residuals);
  canvas.finish_frame();
  std::vector<LegendItem> items = band_items(bands);
  items.push_back({kConstantHead, "constant head"});
  items.push_back({kInactive, "inactive"});
  if (any_blanked) items.push_back({kNoData, "no data (blanked)"});
  if (!options.residuals.empty()) {
    items.push_back({kAboveObserved, "model above well"});
    items.push_back({kBelowObserved, "model below well"});
  }
  canvas.legend("Water level, feet", items);
  canvas.write_png(png, display_name);
  return canvas.layout();
}

Layout draw_zones_map(const IntGrid& zones, const MapOptions& options,
                      const std::filesystem::path& png, const std::string& display_name) {
  Canvas canvas(sheet_layout(options), title_or(options, "Zone array"));
  std::set<int> present;
  for (int i = 1; i <= NROW(); ++i)
    for (int j = 1; j <= NCOL(); ++j) {
      present.insert(zones(i, j));
      canvas.fill_cell(i, j, zone_colour(zones(i, j)));
    }
  canvas.finish_frame();
  std::vector<LegendItem> items;
  for (int zone : present) {
    std::string text = "zone " + std::to_string(zone);
    if (zone == 0) text += " (inactive)";
    if (zone < 0) text += " (constant head)";
    items.push_back({zone_colour(zone), text});
  }
  canvas.legend("Zones", items);
  canvas.write_png(png, display_name);
  return canvas.layout();
}

Bands thickness_bands(const RealGrid& top, const RealGrid& bottom, const IntGrid& ibound,
                      double interval) {
  const auto [lo, hi] = active_range(
      ibound, [&](int i, int j) { return double{top(i, j)} - double{bottom(i, j)}; },
      [](int, int) { return true; });
  return choose_bands(lo, hi, interval, 10, kThicknessRamp);
}

Layout draw_thickness_map(const RealGrid& top, const RealGrid& bottom, const IntGrid& pinch,
                          const IntGrid& ibound, const MapOptions& options,
                          const std::filesystem::path& png, const std::string& display_name) {
  const Bands bands = thickness_bands(top, bottom, ibound, options.interval);
  Canvas canvas(sheet_layout(options), title_or(options, "Layer thickness (feet)"));
  std::vector<std::pair<int, int>> pinched;
  for (int i = 1; i <= NROW(); ++i)
    for (int j = 1; j <= NCOL(); ++j) {
      if (ibound(i, j) == 0) {
        canvas.fill_cell(i, j, kInactive);
        continue;
      }
      const double thickness = double{top(i, j)} - double{bottom(i, j)};
      canvas.fill_cell(i, j, bands.colour(bands.band_of(thickness)));
      if (pinch(i, j) == 0) pinched.emplace_back(i, j);
    }
  canvas.hatch_cells(pinched);
  canvas.finish_frame();
  std::vector<LegendItem> items = band_items(bands);
  items.push_back({kActive, "pinched out", true});
  items.push_back({kInactive, "inactive"});
  canvas.legend("Thickness, feet", items);
  canvas.write_png(png, display_name);
  return canvas.layout();
}

Layout draw_rivers_map(const IntGrid& order, const IntGrid& ibound, const MapOptions& options,
                       const std::filesystem::path& png, const std::string& display_name) {
  Canvas canvas(sheet_layout(options), title_or(options, "River network by stream order"));
  int highest = 0;
  for (int i = 1; i <= NROW(); ++i)
    for (int j = 1; j <= NCOL(); ++j) {
      const int code = ibound(i, j);
      Rgb colour = code == 0 ? kInactive : code < 0 ? kConstantHead : kActive;
      if (order(i, j) > 0) {
        colour = order_colour(order(i, j));
        highest = std::max(highest, order(i, j));
      }
      canvas.fill_cell(i, j, colour);
    }
  canvas.finish_frame();
  std::vector<LegendItem> items{
      {kInactive, "inactive"}, {kActive, "active"}, {kConstantHead, "constant head"}};
  for (int k = 1; k <= highest; ++k)
    items.push_back({order_colour(k), k == 10 ? "order 10 or more" : "order " + std::to_string(k)});
  canvas.legend("Stream order", items);
  canvas.write_png(png, display_name);
  return canvas.layout();
}

}  // namespace kitmap
