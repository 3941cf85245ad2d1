#include "tools/kitmap/contour_labels.hpp"

#include <cmath>
#include <cstdio>
#include <vector>

#include "gridkit/dsaa_reader.hpp"
#include "tools/kitmap/contour.hpp"

namespace kitmap {

namespace {

constexpr double kLabelEvery = 320.0;  // pixels of line between labels
constexpr double kShortest = 90.0;     // lines shorter than this get none

Field node_field(const gridkit::RealGrid& values, const gridkit::IntGrid& ibound) {
  Field f;
  f.rows = gridkit::NROW();
  f.cols = gridkit::NCOL();
  f.value.resize(values.values().size());
  f.valid.resize(values.values().size());
  for (std::size_t k = 0; k < f.value.size(); ++k) {
    f.value[k] = values.values()[k];
    f.valid[k] = ibound.values()[k] != 0 && !gridkit::dsaa_blanked(values.values()[k]);
  }
  return f;
}

void label(cairo_t* cr, double x, double y, double angle, const std::string& text) {
  // Upright: never upside down.
  if (angle > M_PI / 2) angle -= M_PI;
  if (angle < -M_PI / 2) angle += M_PI;
  cairo_save(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 9);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, -ext.width / 2 - ext.x_bearing, ext.height / 2);
  cairo_text_path(cr, text.c_str());
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

void draw_contours(Canvas& canvas, const gridkit::RealGrid& values, const gridkit::IntGrid& ibound,
                   const Bands& bands) {
  const Layout& l = canvas.layout();
  cairo_t* cr = canvas.cr();
  const Field field = node_field(values, ibound);
  const auto px = [&](const Point& p) { return l.left + (p.x + 0.5) * l.cell_px; };
  const auto py = [&](const Point& p) { return l.top + (p.y + 0.5) * l.cell_px; };
  for (int k = 1; k < bands.count; ++k) {
    const double level = bands.level(k);
    char text[32];
    std::snprintf(text, sizeof text, "%g", level);
    for (const std::vector<Point>& line : join_segments(contour_segments(field, level))) {
      cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
      cairo_set_line_width(cr, 0.9);
      cairo_move_to(cr, px(line[0]), py(line[0]));
      for (std::size_t n = 1; n < line.size(); ++n) cairo_line_to(cr, px(line[n]), py(line[n]));
      cairo_stroke(cr);
      // Labels at intervals along the line, the first half an interval in.
      double run = 0, total = 0;
      for (std::size_t n = 1; n < line.size(); ++n)
        total += std::hypot(px(line[n]) - px(line[n - 1]), py(line[n]) - py(line[n - 1]));
      if (total < kShortest) continue;
      double next = std::min(kLabelEvery / 2, total / 2);
      for (std::size_t n = 1; n < line.size(); ++n) {
        const double dx = px(line[n]) - px(line[n - 1]), dy = py(line[n]) - py(line[n - 1]);
        run += std::hypot(dx, dy);
        if (run < next) continue;
        // The direction over a few points either side keeps the text steady.
        const std::size_t a = n >= 4 ? n - 4 : 0, b = std::min(n + 3, line.size() - 1);
        label(cr, px(line[n]), py(line[n]),
              std::atan2(py(line[b]) - py(line[a]), px(line[b]) - px(line[a])), text);
        next += kLabelEvery;
      }
    }
  }
}

}  // namespace kitmap
