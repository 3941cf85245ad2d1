// Drawing on the main window: the backdrop (gradient, title, sunken frame)
// and the progress box, in the colour numbers of the colour table. Where the
// display uses a palette, the colours go through a logical palette of 148
// entries.
#pragma once

#include <windows.h>

#include "installer/wizard/colours.hpp"
#include "installer/wizard/geometry.hpp"
#include "installer/wizard/text_table.hpp"

namespace wizard {

class Painter {
 public:
  // Creates the title font; the colour table gets the system colours.
  void create_fonts();
  void read_system_colours();
  void release();

  // Whether the palette must be selected and realised again before drawing.
  void mark_palette_stale() { palette_stale_ = true; }

  // The client rectangle as kept: right and bottom one less than the size.
  void take_client_rect(HWND window);

  void paint_backdrop(HDC dc);

  // One line of the progress box: a string number (or text address) for the
  // message and the path shown under it.
  void show_progress(HDC dc, const TextTable& texts, std::uintptr_t message, const char* path);
  // Fills the box area with blue at the end of the copy phase.
  void erase_progress(HDC dc);

  const Rect& client() const { return client_; }

 private:
  COLORREF colour(int number) const;
  void prepare(HDC dc);
  void line(HDC dc, int number, int x0, int y0, int x1, int y1);
  void fill(HDC dc, int number, const Rect& r);
  // A one-pixel frame: `top_left` on the left and top, `bottom_right` on the
  // right and bottom edges of r (right and bottom inclusive).
  void frame(HDC dc, const Rect& r, int top_left, int bottom_right);
  void text(HDC dc, int x, int y, const char* s, int foreground, int background);

  ColourTable colours_;
  HFONT title_font_ = nullptr;
  HFONT gui_font_ = nullptr;
  HPALETTE palette_ = nullptr;
  bool palette_stale_ = true;
  Rect client_{};
  Rect box_{};
  bool box_placed_ = false;
};

}  // namespace wizard
