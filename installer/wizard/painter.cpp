#include "installer/wizard/painter.hpp"

#include <vector>

namespace wizard {
namespace {

Rgb rgb_of(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

Rect offset(const Rect& r, const Rect& by) {
  return {by.left + r.left, by.top + r.top, by.left + r.right, by.top + r.bottom};
}

Rect inset(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

}  // namespace

void Painter::create_fonts() {
  title_font_ =
      CreateFontA(40, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                  CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FF_ROMAN | DEFAULT_PITCH, "Garamond");
  gui_font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Painter::read_system_colours() {
  colours_.set_system_colours(rgb_of(GetSysColor(COLOR_BTNFACE)),
                              rgb_of(GetSysColor(COLOR_BTNTEXT)),
                              rgb_of(GetSysColor(COLOR_BTNSHADOW)));
}

void Painter::release() {
  if (title_font_ != nullptr) DeleteObject(title_font_);
  if (palette_ != nullptr) DeleteObject(palette_);
  title_font_ = nullptr;
  palette_ = nullptr;
}

void Painter::take_client_rect(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  client_ = {r.left, r.top, r.right - 1, r.bottom - 1};
}

COLORREF Painter::colour(int number) const {
  const Rgb& c = colours_[number];
  const COLORREF value = RGB(c.red, c.green, c.blue);
  return palette_ != nullptr ? (value | 0x02000000) : value;  // PALETTERGB
}

void Painter::prepare(HDC dc) {
  if ((GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) == 0) return;
  if (palette_ == nullptr) {
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + kPaletteEntries * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = kPaletteEntries;
    for (int i = 0; i < kPaletteEntries; ++i) {
      const Rgb& c = colours_[ColourTable::palette_number(i)];
      logical->palPalEntry[i] = {c.red, c.green, c.blue, 0};
    }
    palette_ = CreatePalette(logical);
  }
  SelectPalette(dc, palette_, FALSE);
  if (palette_stale_) {
    RealizePalette(dc);
    palette_stale_ = false;
  }
}

void Painter::line(HDC dc, int number, int x0, int y0, int x1, int y1) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour(number));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void Painter::fill(HDC dc, int number, const Rect& r) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour(number));
  HBRUSH brush = CreateSolidBrush(colour(number));
  HGDIOBJ old_pen = SelectObject(dc, pen);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void Painter::frame(HDC dc, const Rect& r, int top_left, int bottom_right) {
  // Lines leave out their last pixel: left edge upwards, then the top edge;
  // right edge downwards, then the bottom edge back to the left.
  HPEN light = CreatePen(PS_SOLID, 1, colour(top_left));
  HPEN dark = CreatePen(PS_SOLID, 1, colour(bottom_right));
  HGDIOBJ old = SelectObject(dc, light);
  MoveToEx(dc, r.left, r.bottom, nullptr);
  LineTo(dc, r.left, r.top);
  LineTo(dc, r.right, r.top);
  SelectObject(dc, dark);
  LineTo(dc, r.right, r.bottom);
  LineTo(dc, r.left, r.bottom);
  SelectObject(dc, old);
  DeleteObject(light);
  DeleteObject(dark);
}

void Painter::text(HDC dc, int x, int y, const char* s, int foreground, int background) {
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  SetTextColor(dc, colour(foreground));
  SetBkColor(dc, colour(background));
  SetBkMode(dc, OPAQUE);
  TextOutA(dc, x, y, s, lstrlenA(s));
}

void Painter::paint_backdrop(HDC dc) {
  prepare(dc);
  const int height = client_.bottom - client_.top;
  int current = -1;
  HPEN pen = nullptr;
  HGDIOBJ old_pen = nullptr;
  for (int row = 0; row < height; ++row) {
    const int number = backdrop_colour_number(row, height);
    if (number != current) {
      HPEN next = CreatePen(PS_SOLID, 1, colour(number));
      HGDIOBJ previous = SelectObject(dc, next);
      if (pen == nullptr)
        old_pen = previous;
      else
        DeleteObject(pen);
      pen = next;
      current = number;
    }
    MoveToEx(dc, client_.left, client_.top + row, nullptr);
    LineTo(dc, client_.right + 1, client_.top + row);
  }
  if (pen != nullptr) {
    SelectObject(dc, old_pen);
    DeleteObject(pen);
  }

  HGDIOBJ old_font = SelectObject(dc, title_font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour(kWhite));
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  static constexpr char kTitle[] = "TARNIX CAD Viewer Install";
  TextOutA(dc, 10 + 6, 10 + 4, kTitle, sizeof kTitle - 1);
  SelectObject(dc, old_font);

  frame(dc, client_, kBlack, kWhite);
  frame(dc, inset(client_, 1), kButtonShadow, kButtonFace);
}

void Painter::show_progress(HDC dc, const TextTable& texts, std::uintptr_t message,
                            const char* path) {
  prepare(dc);
  if (!box_placed_) {
    box_ = progress_box(client_);
    box_placed_ = true;
  }
  HGDIOBJ old_font = SelectObject(dc, gui_font_);
  fill(dc, kButtonFace, box_);
  const Rect caption = offset(kCaptionStrip, box_);
  const Rect message_line = offset(kMessageLine, box_);
  const Rect path_field = offset(kPathField, box_);
  fill(dc, kBlue, caption);
  text(dc, caption.left + kTextInsetX, caption.top + kTextInsetY, texts.text(kStatusText), kWhite,
       kBlue);
  text(dc, message_line.left + kTextInsetX, message_line.top + kTextInsetY, texts.resolve(message),
       kBlack, kButtonFace);
  text(dc, path_field.left + kTextInsetX, path_field.top + kTextInsetY, path, kBlack, kButtonFace);
  frame(dc, path_field, kButtonShadow, kWhite);
  const Rect outline{box_.left, box_.top, box_.right - 1, box_.bottom - 1};
  frame(dc, outline, kWhite, kBlack);
  frame(dc, inset(outline, 1), kButtonFace, kButtonShadow);
  frame(dc, inset(outline, 2), kBlack, kWhite);
  frame(dc, inset(outline, 3), kButtonShadow, kButtonFace);
  SelectObject(dc, old_font);
}

void Painter::erase_progress(HDC dc) {
  if (!box_placed_) return;
  prepare(dc);
  fill(dc, kBlue, box_);
}

}  // namespace wizard
