#include "installer/wizard/colours.hpp"

namespace wizard {

int backdrop_colour_number(int row, int height) {
  // 128 * row / height, rounded half to even, in integers so that every
  // row gets the same colour on every system.
  const long long numerator = 128LL * row;
  long long quotient = numerator / height;
  const long long twice_rest = 2 * (numerator % height);
  if (twice_rest > height || (twice_rest == height && (quotient & 1) != 0)) ++quotient;
  const long long number = kGradientFirst + quotient;
  return number > 255 ? 255 : static_cast<int>(number);
}

ColourTable::ColourTable() {
  constexpr Rgb fixed[16] = {
      {0, 0, 0},      {0, 255, 0},     {255, 0, 0},     {0, 0, 255},
      {255, 255, 0},  {0, 255, 255},   {255, 0, 255},   {175, 0, 255},
      {255, 80, 0},   {104, 136, 255}, {248, 152, 88},  {168, 72, 0},
      {136, 136, 56}, {0, 104, 56},    {128, 128, 128}, {255, 255, 255},
  };
  for (int n = 0; n < 16; ++n) colours_[static_cast<std::size_t>(n)] = fixed[n];
  for (int n = kGradientFirst; n < 256; ++n)
    colours_[static_cast<std::size_t>(n)] = gradient_colour(n);
}

void ColourTable::set_system_colours(Rgb face, Rgb text, Rgb shadow) {
  colours_[16] = face;
  colours_[17] = text;
  colours_[18] = shadow;
  colours_[19] = shadow;
}

}  // namespace wizard
