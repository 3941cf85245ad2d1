#include "tools/kitmap/palette.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gridkit/error.hpp"

namespace kitmap {

const std::vector<Rgb> kLevelRamp{
    {43, 91, 160}, {41, 157, 177}, {94, 192, 116}, {196, 222, 96}, {253, 224, 112}};
const std::vector<Rgb> kThicknessRamp{
    {255, 247, 188}, {254, 196, 79}, {236, 112, 20}, {153, 52, 4}};

Rgb zone_colour(int zone) {
  static const Rgb positive[] = {{200, 225, 170}, {250, 220, 120}, {230, 120, 80},
                                 {170, 140, 210}, {120, 190, 170}, {240, 160, 190},
                                 {190, 170, 120}, {150, 200, 230}, {210, 210, 110}};
  if (zone == 0) return kInactive;
  if (zone == -1) return kConstantHead;
  if (zone < 0) return Rgb{30, 70, static_cast<std::uint8_t>(120 + (-zone * 23) % 100)};
  return positive[(zone - 1) % 9];
}

Rgb order_colour(int order) {
  static const Rgb table[] = {{254, 196, 79}, {250, 150, 40}, {230, 100, 20}, {200, 60, 10},
                              {150, 40, 10},  {110, 30, 40},  {90, 20, 80},   {60, 20, 110},
                              {40, 20, 80},   {0, 0, 0}};
  return table[std::clamp(order, 1, 10) - 1];
}

Rgb ramp(const std::vector<Rgb>& stops, double t) {
  t = std::clamp(t, 0.0, 1.0) * static_cast<double>(stops.size() - 1);
  const std::size_t k = std::min(static_cast<std::size_t>(t), stops.size() - 2);
  const double f = t - static_cast<double>(k);
  const auto mix = [f](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * f));
  };
  return {mix(stops[k].r, stops[k + 1].r), mix(stops[k].g, stops[k + 1].g),
          mix(stops[k].b, stops[k + 1].b)};
}

int Bands::band_of(double v) const {
  const double k = std::floor((v - lo) / interval);
  return static_cast<int>(std::clamp(k, 0.0, static_cast<double>(count - 1)));
}

Rgb Bands::colour(int band) const {
  return ramp(stops, count == 1 ? 0.0 : static_cast<double>(band) / (count - 1));
}

std::string Bands::label(int band) const {
  char text[64];
  std::snprintf(text, sizeof text, "%g - %g", level(band), level(band + 1));
  return text;
}

Bands choose_bands(double min, double max, double interval, int target,
                   const std::vector<Rgb>& stops) {
  Bands bands;
  bands.stops = stops;
  const double highest = max;
  if (!(max > min)) max = min + 1.0;
  if (interval <= 0) {
    const double raw = (max - min) / target;
    const double scale = std::pow(10.0, std::floor(std::log10(raw)));
    interval = 10 * scale;
    for (double step : {1.0, 2.0, 2.5, 5.0}) {
      if (step * scale >= raw) {
        interval = step * scale;
        break;
      }
    }
  }
  bands.interval = interval;
  bands.lo = std::floor(min / interval) * interval;
  // Enough bands for the largest value.
  const double count = std::floor((max - bands.lo) / interval) + 1;
  if (!(count <= kMostBands)) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "kitmap: an interval of %g gives %.15g bands over %g to %g; at most %d are drawn",
                  interval, count, min, highest, kMostBands);
    throw gridkit::KitError(text);
  }
  bands.count = static_cast<int>(count);
  return bands;
}

}  // namespace kitmap
