#include "gridkit/order_maps.hpp"

#include <algorithm>
#include <stdexcept>

#include "gridkit/error.hpp"

namespace gridkit {

namespace {

std::string order_line(const IntGrid& order, int row, MapPiece piece) {
  std::string line;
  line.reserve(static_cast<std::size_t>(piece.width()));
  for (int j = piece.first_col; j <= piece.last_col; ++j) line += order_char(order(row, j));
  return line;
}

}  // namespace

std::vector<MapPiece> map_pieces(int cols) {
  std::vector<MapPiece> pieces;
  for (int first = 1; first <= cols; first += kMapPieceColumns)
    pieces.push_back({first, std::min(cols, first + kMapPieceColumns - 1)});
  return pieces;
}

char order_char(int order) {
  if (order >= 0 && order <= 9) return static_cast<char>('0' + order);
  return '*';
}

std::vector<std::string> order_map_names(std::string_view base, int cols) {
  std::vector<std::string> names;
  for (std::size_t p = 1; p <= map_pieces(cols).size(); ++p)
    names.push_back(std::string(base) + ".OR" + std::to_string(p));
  return names;
}

void write_order_maps(std::span<OutFile* const> files, const IntGrid& order) {
  const std::vector<MapPiece> pieces = map_pieces(order.cols());
  if (files.size() != pieces.size())
    throw std::invalid_argument("order maps: " + std::to_string(pieces.size()) + " files needed");
  for (std::size_t p = 0; p < pieces.size(); ++p) {
    for (int i = 1; i <= order.rows(); ++i) files[p]->line(order_line(order, i, pieces[p]));
  }
}

void read_order_map(InFile& file, IntGrid& order, MapPiece piece) {
  const int width = piece.width();
  for (int row = 1; row <= order.rows(); ++row) {
    const std::string_view line = file.require_line();
    if (static_cast<int>(line.size()) < width)
      throw KitError::read(file.name(), file.line_number(),
                           "expected " + std::to_string(width) + " order digits", line);
    for (int k = 0; k < width; ++k) {
      const char c = line[static_cast<std::size_t>(k)];
      if (c != '*' && (c < '0' || c > '9'))
        throw KitError::read(file.name(), file.line_number(), "not an order digit", line);
      order(row, piece.first_col + k) = c == '*' ? 10 : c - '0';
    }
  }
}

void read_order_maps(const std::filesystem::path& folder, std::string_view base, IntGrid& order) {
  const std::vector<MapPiece> pieces = map_pieces(order.cols());
  const std::vector<std::string> names = order_map_names(base, order.cols());
  for (std::size_t p = 0; p < pieces.size(); ++p) {
    InFile file = InFile::open_existing(folder / names[p], names[p]);
    read_order_map(file, order, pieces[p]);
  }
}

}  // namespace gridkit
