#include "tools/kitmap/canvas.hpp"

#include <exception>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "gridkit/error.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/replacing_output.hpp"
#include "tools/kitmap/utf8_text.hpp"

namespace kitmap {

namespace {

using gridkit::DELC;
using gridkit::DELR;
using gridkit::NCOL;
using gridkit::NROW;

void set_colour(cairo_t* cr, Rgb c) {
  cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// CRSTM extent of the cells: half a cell beyond the outermost nodes.
double west() { return gridkit::node_x_double(1) - DELR() / 2; }
double east() { return gridkit::node_x_double(NCOL()) + DELR() / 2; }
double north() { return gridkit::node_y_double(1) + DELC() / 2; }
double south() { return gridkit::node_y_double(NROW()) - DELC() / 2; }

// The round lengths 1, 2 and 5 times a power of ten that ticks and the
// scale bar step by: the smallest at least `length`, the largest at most it.
double decade_below(double length) {
  double decade = 1.0;
  while (decade * 10.0 <= length) decade *= 10.0;
  while (decade > length) decade /= 10.0;
  return decade;
}
double round_length_at_least(double length) {
  const double decade = decade_below(length);
  for (const double m : {1.0, 2.0, 5.0})
    if (m * decade >= length) return m * decade;
  return 10.0 * decade;
}
double round_length_at_most(double length) {
  const double decade = decade_below(length);
  for (const double m : {5.0, 2.0})
    if (m * decade <= length) return m * decade;
  return decade;
}

// Ticks every 50 cells (100 on small sheets) rounded up to a round length,
// closer where that would leave a side with fewer than two.
double tick_step(int cell_px) {
  double step = round_length_at_least((cell_px >= 2 ? 50.0 : 100.0) * DELR());
  const double shorter_side = std::min(east() - west(), north() - south());
  while (step > shorter_side / 2.0 && step > DELR()) step = round_length_at_most(step * 0.99);
  return step;
}

// "50 km", or "500 m" below a kilometre.
std::string length_label(double metres) {
  char text[32];
  const bool km = metres >= 1000.0;
  char* end = std::to_chars(text, text + sizeof text, km ? metres / 1000.0 : metres).ptr;
  return std::string(text, end) + (km ? " km" : " m");
}

}  // namespace

int Layout::map_width() const { return NCOL() * cell_px; }
int Layout::map_height() const { return NROW() * cell_px; }
double Layout::x_of(double x) const { return left + (x - west()) / DELR() * cell_px; }
double Layout::y_of(double y) const { return top + (north() - y) / DELC() * cell_px; }

Canvas::Canvas(const Layout& layout, const std::string& title)
    : layout_(layout),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.width(), layout.height())),
      cr_(cairo_create(surface_)) {
  cairo_set_source_rgb(cr_, 1, 1, 1);
  cairo_paint(cr_);
  text(layout_.left, layout_.top - 16, title, 15, true);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::text(double x, double y, const std::string& s, double size, bool bold) {
  cairo_select_font_face(cr_, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, size);
  cairo_set_source_rgb(cr_, 0, 0, 0);
  cairo_move_to(cr_, x, y);
  cairo_show_text(cr_, valid_utf8(s).c_str());
}

void Canvas::fill_cell(int row, int col, Rgb colour) {
  // Whole pixels without smoothing, so every pixel of a cell has its colour.
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  set_colour(cr_, colour);
  cairo_rectangle(cr_, layout_.cell_left(col), layout_.cell_top(row), layout_.cell_px,
                  layout_.cell_px);
  cairo_fill(cr_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_DEFAULT);
}

void Canvas::hatch_cells(const std::vector<std::pair<int, int>>& cells) {
  if (cells.empty()) return;
  cairo_save(cr_);
  for (const auto& [row, col] : cells)
    cairo_rectangle(cr_, layout_.cell_left(col), layout_.cell_top(row), layout_.cell_px,
                    layout_.cell_px);
  cairo_clip(cr_);
  cairo_set_source_rgba(cr_, 0.15, 0.1, 0.1, 0.75);
  cairo_set_line_width(cr_, 1.0);
  const int w = layout_.width(), h = layout_.height();
  for (int d = -h; d < w; d += 6) {
    cairo_move_to(cr_, d, h);
    cairo_line_to(cr_, d + h, 0);
  }
  cairo_stroke(cr_);
  cairo_restore(cr_);
}

void Canvas::finish_frame() {
  const Layout& l = layout_;
  cairo_set_source_rgb(cr_, 0, 0, 0);
  cairo_set_line_width(cr_, 1.0);
  cairo_rectangle(cr_, l.left - 0.5, l.top - 0.5, l.map_width() + 1, l.map_height() + 1);
  cairo_stroke(cr_);

  // Ticks and CRSTM labels, on the built-in grid every 50 km (100 km on
  // small sheets).
  const double step = tick_step(l.cell_px);
  cairo_text_extents_t ext;
  cairo_select_font_face(cr_, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  const double bottom_edge = l.top + l.map_height();
  for (double x = std::ceil(west() / step) * step; x <= east(); x += step) {
    const double px = std::round(l.x_of(x)) + 0.5;
    cairo_move_to(cr_, px, bottom_edge);
    cairo_line_to(cr_, px, bottom_edge + 5);
    cairo_move_to(cr_, px, l.top);
    cairo_line_to(cr_, px, l.top - 4);
    cairo_stroke(cr_);
    const std::string label = std::to_string(static_cast<long>(x));
    cairo_set_font_size(cr_, 10);
    cairo_text_extents(cr_, label.c_str(), &ext);
    text(px - ext.width / 2, bottom_edge + 16, label, 10);
  }
  for (double y = std::ceil(south() / step) * step; y <= north(); y += step) {
    const double py = std::round(l.y_of(y)) + 0.5;
    cairo_move_to(cr_, l.left - 5, py);
    cairo_line_to(cr_, l.left, py);
    cairo_move_to(cr_, l.left + l.map_width(), py);
    cairo_line_to(cr_, l.left + l.map_width() + 4, py);
    cairo_stroke(cr_);
    const std::string label = std::to_string(static_cast<long>(y));
    cairo_set_font_size(cr_, 10);
    cairo_text_extents(cr_, label.c_str(), &ext);
    text(l.left - 8 - ext.width, py + 4, label, 10);
  }
  text(l.left + l.map_width() / 2.0 - 40, bottom_edge + 30, "CRSTM X (m)", 10);
  cairo_save(cr_);
  cairo_move_to(cr_, 14, l.top + l.map_height() / 2.0 + 40);
  cairo_rotate(cr_, -M_PI / 2);
  cairo_set_font_size(cr_, 10);
  cairo_show_text(cr_, "CRSTM Y (m)");
  cairo_restore(cr_);

  // Scale bar: five parts alternately filled, each the round length at most
  // 10 cells long (50 km in parts of 10 km on the built-in grid).
  const double part_length = round_length_at_most(10.0 * DELR());
  const double x0 = l.left, y0 = bottom_edge + 44, part = part_length / DELR() * l.cell_px;
  for (int k = 0; k < 5; ++k) {
    cairo_rectangle(cr_, x0 + k * part + 0.5, y0 + 0.5, part, 6);
    if (k % 2 == 0) cairo_fill_preserve(cr_);
    cairo_stroke(cr_);
  }
  text(x0 - 3, y0 + 20, "0", 10);
  text(x0 + 5 * part - 8, y0 + 20, length_label(5 * part_length), 10);
}

void Canvas::legend(const std::string& heading, const std::vector<LegendItem>& items) {
  const Layout& l = layout_;
  const int x = l.legend_left();
  text(x, l.top + 10, heading, 12, true);
  for (std::size_t k = 0; k < items.size(); ++k) {
    const int y = l.swatch_top(static_cast<int>(k));
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    set_colour(cr_, items[k].colour);
    cairo_rectangle(cr_, x, y, Layout::kSwatchWidth, Layout::kSwatchHeight);
    cairo_fill(cr_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_DEFAULT);
    if (items[k].hatched) {
      cairo_save(cr_);
      cairo_rectangle(cr_, x, y, Layout::kSwatchWidth, Layout::kSwatchHeight);
      cairo_clip(cr_);
      cairo_set_source_rgba(cr_, 0.15, 0.1, 0.1, 0.75);
      for (int d = -20; d < 40; d += 6) {
        cairo_move_to(cr_, x + d, y + Layout::kSwatchHeight);
        cairo_line_to(cr_, x + d + Layout::kSwatchHeight, y);
      }
      cairo_stroke(cr_);
      cairo_restore(cr_);
    }
    cairo_set_source_rgb(cr_, 0.3, 0.3, 0.3);
    cairo_set_line_width(cr_, 1.0);
    cairo_rectangle(cr_, x - 0.5, y - 0.5, Layout::kSwatchWidth + 1, Layout::kSwatchHeight + 1);
    cairo_stroke(cr_);
    text(x + Layout::kSwatchWidth + 8, y + 11, items[k].text, 11);
  }
}

namespace {

// Cairo hands the PNG over in pieces; each goes to the output, and the first
// write the system refuses is kept to be reported with its own reason.
struct PngSink {
  gridkit::ReplacingOutput& output;
  std::exception_ptr failure;
};

cairo_status_t write_png_piece(void* closure, const unsigned char* data, unsigned int length) {
  auto& sink = *static_cast<PngSink*>(closure);
  try {
    sink.output.write(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
  } catch (...) {
    sink.failure = std::current_exception();
    return CAIRO_STATUS_WRITE_ERROR;
  }
}

}  // namespace

// Cairo stops drawing at its first error and leaves the sheet as it was, so
// a sheet drawn with an error is incomplete and is never written.
void Canvas::check_drawn(const std::string& display_name) {
  cairo_status_t status = cairo_status(cr_);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface_);
  if (status != CAIRO_STATUS_SUCCESS)
    throw gridkit::KitError::write(
        display_name, std::string("the map could not be drawn: ") + cairo_status_to_string(status));
}

void Canvas::write_png(const std::filesystem::path& path, const std::string& display_name) {
  check_drawn(display_name);
  cairo_surface_flush(surface_);
  gridkit::ReplacingOutput output(path, display_name);
  PngSink sink{output, nullptr};
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface_, write_png_piece, &sink);
  if (sink.failure) std::rethrow_exception(sink.failure);
  if (status != CAIRO_STATUS_SUCCESS)
    throw gridkit::KitError::write(display_name, cairo_status_to_string(status));
  output.commit();
}

void release_font_caches() {
  cairo_debug_reset_static_data();
  FcFini();
}

}  // namespace kitmap
