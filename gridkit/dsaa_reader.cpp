#include "gridkit/dsaa_reader.hpp"

#include <array>
#include <cmath>
#include <span>
#include <string>

#include "gridkit/console.hpp"
#include "gridkit/error.hpp"

namespace gridkit {

namespace {

template <class T, std::size_t N>
std::array<T, N> header_values(InFile& file) {
  std::array<T, N> values{};
  read_free(file, std::span<T>(values));
  return values;
}

}  // namespace

DsaaGrid read_dsaa(InFile& file) {
  const std::string_view tag = file.require_line();
  if (trim_blanks(tag) != "DSAA")
    throw KitError::read(file.name(), file.line_number(), "not a Surfer text grid (no DSAA)", tag);
  const auto size = header_values<long long, 2>(file);
  const long long nx = size[0];
  const long long ny = size[1];
  if (nx < 2 || ny < 2 || nx > kDsaaMaxNodes || ny > kDsaaMaxNodes || nx * ny > kDsaaMaxNodes)
    throw KitError::read(file.name(), file.line_number(), "grid size out of range",
                         std::to_string(nx) + " " + std::to_string(ny));
  DsaaGrid grid;
  grid.nx = static_cast<int>(nx);
  grid.ny = static_cast<int>(ny);
  const auto xr = header_values<double, 2>(file);
  const auto yr = header_values<double, 2>(file);
  const auto zr = header_values<double, 2>(file);
  grid.xlo = xr[0], grid.xhi = xr[1], grid.ylo = yr[0], grid.yhi = yr[1];
  grid.zlo = zr[0], grid.zhi = zr[1];
  grid.z.resize(static_cast<std::size_t>(nx * ny));
  for (int iy = 0; iy < grid.ny; ++iy) {
    read_free(file, std::span<float>(grid.z.data() + static_cast<std::size_t>(iy) * grid.nx,
                                     static_cast<std::size_t>(grid.nx)));
  }
  return grid;
}

RealGrid read_dsaa_model_grid(InFile& file) {
  const DsaaGrid grid = read_dsaa(file);
  const auto near = [](double a, double b) { return std::fabs(a - b) < 0.5; };
  if (grid.nx != NCOL() || grid.ny != NROW() || !near(grid.xlo, node_x(1)) ||
      !near(grid.xhi, node_x(NCOL())) || !near(grid.ylo, node_y(NROW())) || !near(grid.yhi, node_y(1)))
    throw KitError::read_file(file.name(), "not a grid of the model's nodes (361 x 470 from X " +
                                               std::to_string(static_cast<long>(node_x(1))) + ", Y " +
                                               std::to_string(static_cast<long>(node_y(NROW()))) + ")");
  RealGrid z;
  for (int row = 1; row <= NROW(); ++row)
    for (int col = 1; col <= NCOL(); ++col) z(row, col) = grid.at(col - 1, NROW() - row);
  return z;
}

}  // namespace gridkit
