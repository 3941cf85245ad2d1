#include "tests/support/other_grids.hpp"

#include <cstdio>

namespace kit_test {

const std::vector<OtherGrid>& other_grids() {
  static const std::vector<OtherGrid> grids{
      {"97 x 53 of 250", {97, 53, 250.0f, 402125.0f, 318375.0f}},
      {"1 row", {40, 1, 1000.0f, 300000.0f, 500000.0f}},
      {"1 column", {1, 40, 1000.0f, 300000.0f, 500000.0f}},
      {"33 x 3 of 500", {33, 3, 500.0f, 290500.0f, 557000.0f}},
  };
  return grids;
}

std::string grid_file_text(const gridkit::ModelGrid& grid) {
  char text[200];
  std::snprintf(text, sizeof text,
                "columns = %d\nrows = %d\ncell_size = %.9g\nfirst_node = [%.9g, %.9g]\n",
                grid.columns, grid.rows, static_cast<double>(grid.cell_size),
                static_cast<double>(grid.first_x), static_cast<double>(grid.first_y));
  return text;
}

OnGrid::OnGrid(const ScratchFolder& folder, const gridkit::ModelGrid& grid) : scope_(grid) {
  folder.write("GRID.toml", grid_file_text(grid));
}

}  // namespace kit_test
