// Where a run's model grid comes from, and the file that describes one.
//
// The file named by the environment variable KIT_GRID when it is set;
// otherwise GRID.toml in the folder the program runs in; otherwise the
// built-in grid. A grid file holds exactly these keys:
//
//   columns = 97
//   rows = 53
//   cell_size = 250.0                  # CRSTM length units
//   first_node = [402125.0, 318375.0]  # X, Y of the node of column 1, row 1
//
// Columns and rows run from 1 to kMaxGridCells; the cell size is above 0.
// An unknown, missing or wrong key is an error naming the key and its line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "gridkit/grid.hpp"

namespace gridkit {

inline constexpr int kMaxGridCells = 20000;  // columns, and rows, at the most
inline constexpr const char* kGridFileName = "GRID.toml";

// The grid a file describes; `name` is how errors name the file.
ModelGrid parse_grid_file(std::string_view text, const std::string& name);

struct GridChoice {
  ModelGrid grid;
  std::string file;  // the file it was read from; empty for the built-in grid
};

// The grid of a run in `folder`, from KIT_GRID, GRID.toml or the built-in grid.
GridChoice find_run_grid(const std::filesystem::path& folder);

// "model grid of GRID.toml: 97 columns x 53 rows of 250", the note a run on
// any grid but the built-in one writes.
std::string grid_note(const GridChoice& choice);

// For a whole run: finds its grid, notes it when it is not the built-in one
// and makes it the model grid until the run ends.
class RunGrid {
 public:
  explicit RunGrid(const std::filesystem::path& folder);

 private:
  GridScope scope_;
};

}  // namespace gridkit
