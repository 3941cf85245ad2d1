#include "heron2/classify.hpp"

#include "heron2/river_cells.hpp"

namespace heron2 {
namespace {

// The river pattern around an interior cell.
struct Neighbourhood {
  bool nw, n, ne, w, e, sw, s, se;

  int river_count() const { return nw + n + ne + w + e + sw + s + se; }
  // N4C: 4 less the river cells among the four edge neighbours.
  int edge_gaps() const { return 4 - (n + s + e + w); }
};

Neighbourhood neighbourhood(const gridkit::IntGrid& IRIVER, int i, int j) {
  const auto river = [&](int row, int col) { return IRIVER(row, col) == 1; };
  return {river(i - 1, j - 1), river(i - 1, j), river(i - 1, j + 1), river(i, j - 1),
          river(i, j + 1),     river(i + 1, j - 1), river(i + 1, j), river(i + 1, j + 1)};
}

// The rules for a cell with three river neighbours.
bool three_neighbour_junction(const Neighbourhood& nb, int N4C) {
  if (N4C == 1 || N4C == 4) return true;
  if (N4C == 3) {
    const bool west_corners_dry = !nb.sw && !nb.nw;
    const bool east_corners_dry = !nb.se && !nb.ne;
    const bool north_corners_dry = !nb.ne && !nb.nw;
    const bool south_corners_dry = !nb.se && !nb.sw;
    return west_corners_dry || east_corners_dry || north_corners_dry || south_corners_dry;
  }
  if (N4C == 2) return (nb.e || nb.w) && (nb.n || nb.s);
  return false;
}

char interior_class(const Neighbourhood& nb) {
  const int N8 = nb.river_count();
  const int N4C = nb.edge_gaps();
  if (N8 == 1) return kLineEnd;
  if (N8 == 5 && N4C == 3) return kJunction;
  if (N8 == 4 && (N4C == 1 || N4C == 4)) return kJunction;
  if (N8 == 3 && three_neighbour_junction(nb, N4C)) return kJunction;
  return kPlainRiver;
}

bool beside_constant_head(const gridkit::IntGrid& IBOUND, int i, int j) {
  for (const Offset& o : kNeighbourOrder) {
    if (IBOUND(i + o.drow, j + o.dcol) < 0) return true;
  }
  return false;
}

}  // namespace

void classify_cells(const gridkit::IntGrid& IRIVER, const gridkit::IntGrid& IBOUND,
                    gridkit::GridArray<char>& CELLMAP) {
  for (int i = 1; i <= gridkit::NROW; ++i) {
    for (int j = 1; j <= gridkit::NCOL; ++j) {
      CELLMAP(i, j) = IRIVER(i, j) == 1 ? kPlainRiver : kNotRiver;
    }
  }
  for (int i = 2; i <= gridkit::NROW - 1; ++i) {
    for (int j = 2; j <= gridkit::NCOL - 1; ++j) {
      if (IRIVER(i, j) != 1) continue;
      char cls = interior_class(neighbourhood(IRIVER, i, j));
      if (cls == kLineEnd && beside_constant_head(IBOUND, i, j)) cls = kMouth;
      CELLMAP(i, j) = cls;
    }
  }
}

void apply_fixed_corrections(gridkit::GridArray<char>& CELLMAP) {
  CELLMAP(kLinkFrom.row, kLinkFrom.col) = kPlainRiver;
  CELLMAP(kLinkTo.row, kLinkTo.col) = kPlainRiver;
}

}  // namespace heron2
