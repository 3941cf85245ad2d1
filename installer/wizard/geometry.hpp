// Where the wizard places things: the progress box on the backdrop and the
// pages on the main window. Rectangles are in pixels, right and bottom
// inclusive as the client rectangle is kept (one less than the size).
#pragma once

namespace wizard {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr int kBoxWidth = 320;
inline constexpr int kBoxHeight = 84;

// The progress box, centred on the client rectangle by integer halves of
// the difference. A client area smaller than the box gives a negative half
// (the box then hangs over the left or top edge, still centred) instead of
// the huge unsigned half that would put it out of sight.
constexpr Rect progress_box(const Rect& client) {
  const int left = (client.right - client.left - kBoxWidth) / 2;
  const int top = (client.bottom - client.top - kBoxHeight) / 2;
  return {left, top, left + kBoxWidth, top + kBoxHeight};
}

// Parts of the box, relative to its top-left corner.
inline constexpr Rect kCaptionStrip{6, 4, 314, 24};
inline constexpr Rect kMessageLine{6, 30, 314, 50};
inline constexpr Rect kPathField{16, 56, 304, 76};
inline constexpr int kTextInsetX = 6;
inline constexpr int kTextInsetY = 4;

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Top-left corner of a page width x height centred on the main window's
// rectangle `main`; a negative coordinate becomes 0.
constexpr Point centred_page(const Rect& main, int width, int height) {
  int x = main.left + (main.right - main.left - width) / 2;
  int y = main.top + (main.bottom - main.top - height) / 2;
  return {x < 0 ? 0 : x, y < 0 ? 0 : y};
}

}  // namespace wizard
