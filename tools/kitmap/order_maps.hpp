// The stream-order maps the river rebuild writes: BASE.OR1, BASE.OR2 and
// BASE.OR3 hold columns 1-123, 124-246 and 247-361 of every row, one line a
// row, one character a cell: a digit (0 = not a river cell) or "*" for an
// order of 10 or more.
#pragma once

#include <filesystem>
#include <string>

#include "gridkit/grid.hpp"

namespace kitmap {

// Orders 0..9, and 10 for "*"; any other character, a short line or a
// missing line is a KitError naming the file and line.
gridkit::IntGrid read_order_maps(const std::filesystem::path& folder, const std::string& base);

}  // namespace kitmap
