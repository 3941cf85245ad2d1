#include "gridkit/points.hpp"

#include <array>

#include "gridkit/error.hpp"
#include "gridkit/freeformat.hpp"
#include "gridkit/numparse.hpp"

namespace gridkit {

namespace {

// One read statement of `N` values, each converted by `convert`.
template <std::size_t N, class Convert>
bool read_point(InFile& file, Convert convert) {
  const NextLine next = [&file] { return file.next_line(); };
  return scan_free(next, static_cast<int>(N), [&](int index, std::string_view token) {
    if (!convert(index, token))
      throw KitError::read(file.name(), file.line_number(), "expected a number", token);
  });
}

}  // namespace

std::optional<PointD> read_point_double(InFile& file) {
  PointD p{};
  const bool ok = read_point<3>(file, [&p](int index, std::string_view token) {
    if (index < 2) {
      const std::optional<double> v = parse_double(token);
      if (!v) return false;
      (index == 0 ? p.x : p.y) = *v;
    } else {
      const std::optional<float> v = parse_float(token);
      if (!v) return false;
      p.z = *v;
    }
    return true;
  });
  if (!ok) return std::nullopt;
  return p;
}

std::optional<PointF> read_point_single(InFile& file) {
  std::array<float, 3> v{};
  const bool ok = read_point<3>(file, [&v](int index, std::string_view token) {
    const std::optional<float> value = parse_float(token);
    if (!value) return false;
    v[static_cast<std::size_t>(index)] = *value;
    return true;
  });
  if (!ok) return std::nullopt;
  return PointF{v[0], v[1], v[2]};
}

std::optional<PointXY> read_point_xy(InFile& file) {
  std::array<float, 2> v{};
  const bool ok = read_point<2>(file, [&v](int index, std::string_view token) {
    const std::optional<float> value = parse_float(token);
    if (!value) return false;
    v[static_cast<std::size_t>(index)] = *value;
    return true;
  });
  if (!ok) return std::nullopt;
  return PointXY{v[0], v[1]};
}

}  // namespace gridkit
