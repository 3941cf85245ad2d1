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

bool any_dsaa_size(long long nx, long long ny) {
  return nx >= 2 && ny >= 2 && nx <= kDsaaMaxNodes && ny <= kDsaaMaxNodes &&
         nx * ny <= kDsaaMaxNodes;
}

// The model grid's own size is taken whatever it is: the kit writes grids of
// one row or one column, and of more nodes than a foreign grid may have.
bool dsaa_size_or_model_grid(long long nx, long long ny) {
  return any_dsaa_size(nx, ny) || (nx == NCOL() && ny == NROW());
}

DsaaGrid read_dsaa_sized(InFile& file, bool (*size_taken)(long long, long long)) {
  const std::string_view tag = file.require_line();
  if (trim_blanks(tag) != "DSAA")
    throw KitError::read(file.name(), file.line_number(), "not a Surfer text grid (no DSAA)", tag);
  const auto size = header_values<long long, 2>(file);
  const long long nx = size[0];
  const long long ny = size[1];
  if (!size_taken(nx, ny))
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

}  // namespace

DsaaGrid read_dsaa(InFile& file) { return read_dsaa_sized(file, any_dsaa_size); }

RealGrid read_dsaa_model_grid(InFile& file) {
  const DsaaGrid grid = read_dsaa_sized(file, dsaa_size_or_model_grid);
  const auto near = [](double a, double b) { return std::fabs(a - b) < 0.5; };
  if (grid.nx != NCOL() || grid.ny != NROW() || !near(grid.xlo, node_x(1)) ||
      !near(grid.xhi, node_x(NCOL())) || !near(grid.ylo, node_y(NROW())) ||
      !near(grid.yhi, node_y(1)))
    throw KitError::read_file(file.name(),
                              "not a grid of the model's nodes (" + std::to_string(NCOL()) + " x " +
                                  std::to_string(NROW()) + " from X " +
                                  std::to_string(static_cast<long>(node_x(1))) + ", Y " +
                                  std::to_string(static_cast<long>(node_y(NROW()))) + ")");
  RealGrid z;
  for (int row = 1; row <= NROW(); ++row)
    for (int col = 1; col <= NCOL(); ++col) z(row, col) = grid.at(col - 1, NROW() - row);
  return z;
}

}  // namespace gridkit
