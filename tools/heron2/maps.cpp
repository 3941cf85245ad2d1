#include "tools/heron2/maps.hpp"

#include <stdexcept>
#include <string>
#include <vector>

namespace heron2 {
namespace {

std::string class_line(const gridkit::GridArray<CellClass>& cell_class, int row,
                       gridkit::MapPiece piece) {
  std::string line;
  for (int j = piece.first_col; j <= piece.last_col; ++j) line += map_char(cell_class(row, j));
  return line;
}

}  // namespace

void write_class_maps(std::span<gridkit::OutFile* const> files,
                      const gridkit::GridArray<CellClass>& cell_class) {
  const std::vector<gridkit::MapPiece> pieces = gridkit::map_pieces(cell_class.cols());
  if (files.size() != pieces.size())
    throw std::invalid_argument("class maps: " + std::to_string(pieces.size()) + " files needed");
  for (std::size_t p = 0; p < pieces.size(); ++p) {
    for (int i = 1; i <= cell_class.rows(); ++i)
      files[p]->line(class_line(cell_class, i, pieces[p]));
  }
}

}  // namespace heron2
