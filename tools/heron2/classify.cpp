#include "tools/heron2/classify.hpp"

#include "tools/heron2/river_cells.hpp"

namespace heron2 {
namespace {

// The river pattern around an interior cell.
struct Neighbourhood {
  bool nw, n, ne, w, e, sw, s, se;

  int river_count() const { return nw + n + ne + w + e + sw + s + se; }
  // 4 less the river cells among the four edge neighbours.
  int edge_gaps() const { return 4 - (n + s + e + w); }
};

Neighbourhood neighbourhood(const gridkit::IntGrid& river_flag, int i, int j) {
  const auto river = [&](int row, int col) { return river_flag(row, col) == 1; };
  return {river(i - 1, j - 1), river(i - 1, j),     river(i - 1, j + 1), river(i, j - 1),
          river(i, j + 1),     river(i + 1, j - 1), river(i + 1, j),     river(i + 1, j + 1)};
}

// The rules for a cell with three river neighbours.
bool three_neighbour_junction(const Neighbourhood& nb, int edge_gaps) {
  if (edge_gaps == 1 || edge_gaps == 4) return true;
  if (edge_gaps == 3) {
    const bool west_corners_dry = !nb.sw && !nb.nw;
    const bool east_corners_dry = !nb.se && !nb.ne;
    const bool north_corners_dry = !nb.ne && !nb.nw;
    const bool south_corners_dry = !nb.se && !nb.sw;
    return west_corners_dry || east_corners_dry || north_corners_dry || south_corners_dry;
  }
  if (edge_gaps == 2) return (nb.e || nb.w) && (nb.n || nb.s);
  return false;
}

CellClass interior_class(const Neighbourhood& nb) {
  const int river_neighbours = nb.river_count();
  const int edge_gaps = nb.edge_gaps();
  if (river_neighbours == 1) return CellClass::LineEnd;
  if (river_neighbours == 5 && edge_gaps == 3) return CellClass::Junction;
  if (river_neighbours == 4 && (edge_gaps == 1 || edge_gaps == 4)) return CellClass::Junction;
  if (river_neighbours == 3 && three_neighbour_junction(nb, edge_gaps)) return CellClass::Junction;
  return CellClass::PlainRiver;
}

bool beside_constant_head(const gridkit::IntGrid& boundary, int i, int j) {
  for (const Offset& o : kNeighbourOrder) {
    if (boundary(i + o.drow, j + o.dcol) < 0) return true;
  }
  return false;
}

}  // namespace

void classify_cells(const gridkit::IntGrid& river_flag, const gridkit::IntGrid& boundary,
                    gridkit::GridArray<CellClass>& cell_class) {
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    for (int j = 1; j <= gridkit::NCOL(); ++j) {
      cell_class(i, j) = river_flag(i, j) == 1 ? CellClass::PlainRiver : CellClass::NotRiver;
    }
  }
  for (int i = 2; i <= gridkit::NROW() - 1; ++i) {
    for (int j = 2; j <= gridkit::NCOL() - 1; ++j) {
      if (river_flag(i, j) != 1) continue;
      CellClass cls = interior_class(neighbourhood(river_flag, i, j));
      if (cls == CellClass::LineEnd && beside_constant_head(boundary, i, j)) cls = CellClass::Mouth;
      cell_class(i, j) = cls;
    }
  }
}

void apply_fixed_corrections(gridkit::GridArray<CellClass>& cell_class) {
  if (!has_fixed_link()) return;
  cell_class(kLinkFrom.row, kLinkFrom.col) = CellClass::PlainRiver;
  cell_class(kLinkTo.row, kLinkTo.col) = CellClass::PlainRiver;
}

}  // namespace heron2
