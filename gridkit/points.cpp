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

// One read statement of `N` single-precision values.
template <std::size_t N>
std::optional<std::array<float, N>> read_floats(InFile& file) {
  std::array<float, N> v{};
  const bool ok = read_point<N>(file, [&v](int index, std::string_view token) {
    const std::optional<float> value = parse_float(token);
    if (!value) return false;
    v[static_cast<std::size_t>(index)] = *value;
    return true;
  });
  if (!ok) return std::nullopt;
  return v;
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
  const auto v = read_floats<3>(file);
  if (!v) return std::nullopt;
  return PointF{(*v)[0], (*v)[1], (*v)[2]};
}

std::optional<PointXY> read_point_xy(InFile& file) {
  const auto v = read_floats<2>(file);
  if (!v) return std::nullopt;
  return PointXY{(*v)[0], (*v)[1]};
}

}  // namespace gridkit
