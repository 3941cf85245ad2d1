// Character maps of the grid, and the stream-order maps among them.
//
// A character map holds one character a cell, one line a row, rows from 1.
// A row is too wide for one line, so the map is split by columns into pieces
// of 123 (on 361 columns: 1-123, 124-246 and 247-361), each piece a file of
// its own holding that piece of every row.
//
// The stream-order maps BASE.OR1, BASE.OR2, ... are those files for the
// stream order of every cell: a digit 0-9 (0 = not a river cell) or "*" for
// an order of 10 or more, read back as 10.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

inline constexpr int kMapPieceColumns = 123;

// The columns one file of a character map holds.
struct MapPiece {
  int first_col;
  int last_col;
  int width() const { return last_col - first_col + 1; }
  friend bool operator==(const MapPiece&, const MapPiece&) = default;
};

// The pieces of a row of `cols` columns, west to east.
std::vector<MapPiece> map_pieces(int cols);

// The character an order shows as: its digit, "*" from 10 on.
char order_char(int order);
// The files of a map of `cols` columns: BASE.OR1, BASE.OR2, ... a piece each.
std::vector<std::string> order_map_names(std::string_view base, int cols);

// Writes every row of `order` to the files, one file per piece.
void write_order_maps(std::span<OutFile* const> files, const IntGrid& order);

// Reads `piece` of every row of `order` from one file; reads every piece of
// `order` from BASE.OR1, BASE.OR2, ... in `folder`. A character other than a
// digit or "*", a short line or a missing line or file is a KitError naming
// the file and line.
void read_order_map(InFile& file, IntGrid& order, MapPiece piece);
void read_order_maps(const std::filesystem::path& folder, std::string_view base, IntGrid& order);

}  // namespace gridkit
