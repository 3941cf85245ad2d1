// Pixel checks of the backdrop and the progress box, made on a capture of
// the screen while the disk-change prompt is open over the box.
#include "installer/wizard/tests/driver/screen_checks.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace driver {
namespace {

// The colour of backdrop row `row` of `height`, worked out here on its own
// from the drawing rules: number 128 + 128 row / height rounded half to
// even and held at 255, then c = 256 - number and each component
// (k c + 64) / 128 for k = 38, 44, 255.
std::uint32_t backdrop_row_colour(int row, int height) {
  const int number = std::min(255, 128 + static_cast<int>(std::nearbyint(128.0 * row / height)));
  const int c = 256 - number;
  return static_cast<std::uint32_t>(((38 * c + 64) / 128) << 16 | ((44 * c + 64) / 128) << 8 |
                                    (255 * c + 64) / 128);
}

constexpr int kBoxWidth = 320, kBoxHeight = 84;
std::uint32_t rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", value);
  return text;
}

struct Probe {
  const Screen& screen;
  RECT covered;  // the prompt's rectangle: pixels under it are not checked
  int checked = 0;

  void expect(int x, int y, std::uint32_t colour, const char* what) {
    const POINT p{x, y};
    if (PtInRect(&covered, p) || x < 0 || y < 0 || x >= screen.width || y >= screen.height) return;
    ++checked;
    check(screen.at(x, y) == colour, std::string(what) + " at (" + std::to_string(x) + ", " +
                                         std::to_string(y) + "): " + hex(screen.at(x, y)) +
                                         ", expected " + hex(colour));
  }

  // True when some uncovered pixel of the rectangle has the colour.
  bool any(int left, int top, int right, int bottom, std::uint32_t colour) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        const POINT p{x, y};
        if (!PtInRect(&covered, p) && screen.at(x, y) == colour) return true;
      }
    }
    return false;
  }
};

}  // namespace

void check_backdrop_and_box(const Screen& screen, HWND main_window, HWND prompt) {
  RECT client;
  GetClientRect(main_window, &client);
  POINT origin{0, 0};
  ClientToScreen(main_window, &origin);
  // The client rectangle as the program keeps it: right and bottom one less.
  const RECT kept{0, 0, client.right - 1, client.bottom - 1};
  const int height = kept.bottom - kept.top;
  Probe probe{screen, {}, 0};
  GetWindowRect(prompt, &probe.covered);
  const auto at = [&](int x, int y, std::uint32_t colour, const char* what) {
    probe.expect(origin.x + x, origin.y + y, colour, what);
  };
  const auto gradient_row = [&](int row) { return backdrop_row_colour(row, height); };

  // Gradient: the top and bottom rows inside the two-pixel frame, and one
  // in the middle, right of the title. On a client area taller than 256
  // rows the last one rounds to colour 256, held at 255.
  for (int row : {2, height / 2, height - 3, height - 2}) {
    at(kept.right / 2 + 200, row, gradient_row(row), "gradient row");
    at(4, row, gradient_row(row), "gradient row at the left");
  }
  const std::uint32_t white = 0xFFFFFF, black = 0, blue = 0x0000FF;
  const std::uint32_t face = rgb(GetSysColor(COLOR_BTNFACE)),
                      shadow = rgb(GetSysColor(COLOR_BTNSHADOW));
  // Sunken frame of the client area.
  at(0, height / 3, black, "outer frame, left");
  at(kept.right / 3, 0, black, "outer frame, top");
  at(kept.right, height / 3, white, "outer frame, right");
  at(kept.right / 3, kept.bottom, white, "outer frame, bottom");
  at(1, height / 3, shadow, "inner frame, left");
  at(kept.right - 1, height / 3, face, "inner frame, right");
  // Title: white text in the title rectangle, which starts on the gradient.
  check(probe.any(origin.x + 16, origin.y + 14, origin.x + 320, origin.y + 50, white),
        "title text in white");
  at(12, 12, gradient_row(12), "gradient left of the title");

  // Progress box at its computed place: centred by integer halves.
  const RECT box{(kept.right - kBoxWidth) / 2, (kept.bottom - kBoxHeight) / 2, 0, 0};
  const auto in_box = [&](int x, int y, std::uint32_t colour, const char* what) {
    at(box.left + x, box.top + y, colour, what);
  };
  in_box(-1, 40, gradient_row(box.top + 40), "backdrop left of the box");
  in_box(0, 40, white, "raised frame outer, left");
  in_box(40, 0, white, "raised frame outer, top");
  in_box(kBoxWidth - 1, 40, black, "raised frame outer, right");
  in_box(40, kBoxHeight - 1, black, "raised frame outer, bottom");
  in_box(1, 40, face, "raised frame inner, left");
  in_box(kBoxWidth - 2, 40, shadow, "raised frame inner, right");
  in_box(2, 40, black, "sunken frame outer, left");
  in_box(kBoxWidth - 3, 40, white, "sunken frame outer, right");
  in_box(3, 40, shadow, "sunken frame inner, left");
  in_box(5, 40, face, "box face");
  in_box(8, 10, blue, "caption strip");
  in_box(310, 10, blue, "caption strip, right end");
  in_box(16, 66, shadow, "path field frame, left");
  in_box(kBoxWidth, 40, gradient_row(box.top + 40), "backdrop right of the box");
  check(probe.any(origin.x + box.left + 12, origin.y + box.top + 8, origin.x + box.left + 60,
                  origin.y + box.top + 22, white),
        "\"Status\" in white on the caption strip");
  check(probe.any(origin.x + box.left + 12, origin.y + box.top + 34, origin.x + box.left + 60,
                  origin.y + box.top + 48, black),
        "message text in black");
  check(probe.checked >= 20,
        "at least 20 pixels outside the prompt were checked, got " + std::to_string(probe.checked));
}

}  // namespace driver
