// A map sheet of the model grid: the grid drawn cell by cell inside a frame
// with the CRSTM coordinates on its edges, a title above, a scale bar below
// and a legend to the right, written as a PNG through Cairo.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/kitmap/palette.hpp"

namespace kitmap {

// Where things lie on the sheet, in pixels from its top-left corner.
struct Layout {
  int cell_px = 2;  // pixels per model cell, across and down
  int left = 84, top = 44, right = 220, bottom = 76;

  int map_width() const;
  int map_height() const;
  int width() const { return left + map_width() + right; }
  int height() const { return top + map_height() + bottom; }
  // Left and top pixel of a cell (row and column from 1).
  int cell_left(int col) const { return left + (col - 1) * cell_px; }
  int cell_top(int row) const { return top + (row - 1) * cell_px; }
  // Sheet position of a CRSTM X or Y (cell edges lie half a cell from the nodes).
  double x_of(double x) const;
  double y_of(double y) const;
  // The legend: swatch k (0 = first item) spans these pixels.
  int legend_left() const { return left + map_width() + 18; }
  int swatch_top(int k) const { return top + 26 + k * 20; }
  static constexpr int kSwatchWidth = 26;
  static constexpr int kSwatchHeight = 13;
};

struct LegendItem {
  Rgb colour;
  std::string text;
  bool hatched = false;
};

class Canvas {
 public:
  Canvas(const Layout& layout, const std::string& title);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() { return cr_; }
  const Layout& layout() const { return layout_; }

  void fill_cell(int row, int col, Rgb colour);
  // Diagonal hatching over the cells given (row, column pairs).
  void hatch_cells(const std::vector<std::pair<int, int>>& cells);
  // Frame, CRSTM ticks and labels, and the scale bar; call after the cells.
  void finish_frame();
  void legend(const std::string& heading, const std::vector<LegendItem>& items);
  // Writes the sheet; a drawing error or a failure to write is a KitError
  // naming `display_name`, and a sheet with a drawing error is not written.
  void write_png(const std::filesystem::path& path, const std::string& display_name);

 private:
  // Draws `s` with any byte that is not UTF-8 shown as U+FFFD.
  void text(double x, double y, const std::string& s, double size, bool bold = false);
  void check_drawn(const std::string& display_name);
  Layout layout_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Frees the font caches that Cairo and fontconfig keep for the process, so a
// leak checker sees only real leaks; call once, after the last map.
void release_font_caches();

}  // namespace kitmap
