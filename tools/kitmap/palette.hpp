// Colours of the maps, and the bands a continuous array is coloured by.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kitmap {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kInactive{225, 225, 225};
inline constexpr Rgb kConstantHead{70, 130, 200};
inline constexpr Rgb kActive{242, 238, 226};
inline constexpr Rgb kNoData{255, 255, 255};  // an active node Surfer has blanked

// A zone value's colour: 0 inactive grey, negatives blues, positives a fixed
// table of distinct colours.
Rgb zone_colour(int zone);
// A stream order's colour, pale orange (1) to dark brown; 10 and more share one.
Rgb order_colour(int order);

// Colour along a ramp of evenly spaced stops, t from 0 to 1.
Rgb ramp(const std::vector<Rgb>& stops, double t);
extern const std::vector<Rgb> kLevelRamp;      // blue-green to yellow
extern const std::vector<Rgb> kThicknessRamp;  // pale yellow to brown

// Bands of equal width `interval` from `lo` upwards; band k holds values in
// [lo + k * interval, lo + (k + 1) * interval).
struct Bands {
  double lo = 0;
  double interval = 1;
  int count = 1;
  std::vector<Rgb> stops;
  int band_of(double v) const;  // clamped to 0..count-1
  Rgb colour(int band) const;
  double level(int k) const { return lo + k * interval; }  // lower bound of band k
  std::string label(int band) const;                       // "420 - 440"
};

// The most bands a map draws: more could not be told apart by colour.
inline constexpr int kMostBands = 64;

// A round interval (1, 2, 2.5 or 5 times a power of ten) giving about
// `target` bands over [min, max]; `interval` > 0 is taken as given. An
// interval giving more than kMostBands bands is a KitError naming the count.
Bands choose_bands(double min, double max, double interval, int target,
                   const std::vector<Rgb>& stops);

}  // namespace kitmap
