// The installer's table of 256 drawing colours and the backdrop gradient.
//
// Numbers 0-15 are fixed colours, 16-19 the system's button colours read at
// start-up, 128-255 a gradient from bright blue (128) to nearly black (255).
// Where the display uses a palette, entries 0-19 and 128-255 (148 in all)
// become its logical palette.
#pragma once

#include <array>
#include <cstdint>

namespace wizard {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour numbers the wizard draws with.
inline constexpr int kBlack = 0;
inline constexpr int kBlue = 3;
inline constexpr int kWhite = 15;
inline constexpr int kButtonFace = 16;
inline constexpr int kButtonText = 17;
inline constexpr int kButtonShadow = 18;
inline constexpr int kGradientFirst = 128;
inline constexpr int kGradientSteps = 128;
inline constexpr int kPaletteEntries = 20 + kGradientSteps;

// Gradient colour 128 + j: with c = 128 - j, each component is
// (k * c + 64) / 128 with k = 38, 44, 255, truncating.
constexpr Rgb gradient_colour(int number) {
  const int c = kGradientSteps - (number - kGradientFirst);
  return {static_cast<std::uint8_t>((38 * c + 64) / 128),
          static_cast<std::uint8_t>((44 * c + 64) / 128),
          static_cast<std::uint8_t>((255 * c + 64) / 128)};
}

// Colour number of backdrop row `row` of a client area `height` rows tall:
// 128 + 128 * row / height rounded to nearest, ties to even, held at 255
// (rows near the bottom of an area taller than 256 would round to 256).
int backdrop_colour_number(int row, int height);

class ColourTable {
 public:
  ColourTable();
  // The system's button face, button text and button shadow colours
  // (numbers 16, 17, and 18 and 19).
  void set_system_colours(Rgb face, Rgb text, Rgb shadow);
  const Rgb& operator[](int number) const { return colours_[static_cast<std::size_t>(number)]; }
  // The colour numbers that make up the logical palette, in palette order.
  static int palette_number(int entry) { return entry < 20 ? entry : entry - 20 + kGradientFirst; }

 private:
  std::array<Rgb, 256> colours_{};
};

}  // namespace wizard
