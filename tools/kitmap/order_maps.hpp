// The stream-order maps the river rebuild writes: BASE.OR1, BASE.OR2, ...
// hold the grid's columns 123 at a time (1-123, 124-246, ...; on a grid of
// 361 columns three files, the last of 115), one line a row, one character a
// cell: a digit (0 = not a river cell) or "*" for an order of 10 or more.
#pragma once

#include <filesystem>
#include <string>

#include "gridkit/grid.hpp"

namespace kitmap {

inline constexpr int kOrderMapColumns = 123;  // columns a file holds

// Orders 0..9, and 10 for "*"; any other character, a short line or a
// missing line is a KitError naming the file and line.
gridkit::IntGrid read_order_maps(const std::filesystem::path& folder, const std::string& base);

}  // namespace kitmap
