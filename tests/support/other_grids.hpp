// Model grids other than the built-in one, for the tests that a tool works
// on whatever grid its run is given: each is set in-process by a
// gridkit::GridScope and described to the run by a GRID.toml in its folder.
#pragma once

#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "tests/support/scratch_folder.hpp"

namespace kit_test {

struct OtherGrid {
  const char* name;  // how a table row names it
  gridkit::ModelGrid grid;
};

// 97 x 53 of 250 (columns no multiple of 8 or 16), one row, one column, and
// 33 x 3 (one more column than a sweep strip has lanes).
const std::vector<OtherGrid>& other_grids();

// The GRID.toml text that describes `grid`.
std::string grid_file_text(const gridkit::ModelGrid& grid);

// Sets `grid` for the test's own code and writes it as the folder's GRID.toml
// for the runs in it.
class OnGrid {
 public:
  OnGrid(const ScratchFolder& folder, const gridkit::ModelGrid& grid);

 private:
  gridkit::GridScope scope_;
};

}  // namespace kit_test
