#include "heron2/trace.hpp"

#include <algorithm>
#include <optional>

namespace heron2 {
namespace {

bool untraced_river(const gridkit::IntGrid& IRIVER, const gridkit::IntGrid& IORDER, int row,
                    int col) {
  return is_river(IRIVER, row, col) && IORDER(row, col) == 0;
}

int untraced_neighbours(const gridkit::IntGrid& IRIVER, const gridkit::IntGrid& IORDER,
                        gridkit::Cell c) {
  int count = 0;
  for (const Offset& o : kNeighbourOrder) {
    count += untraced_river(IRIVER, IORDER, c.row + o.drow, c.col + o.dcol);
  }
  return count;
}

std::optional<gridkit::Cell> first_untraced_neighbour(const gridkit::IntGrid& IRIVER,
                                                      const gridkit::IntGrid& IORDER,
                                                      gridkit::Cell c) {
  for (const Offset& o : kNeighbourOrder) {
    const gridkit::Cell next{c.row + o.drow, c.col + o.dcol};
    if (untraced_river(IRIVER, IORDER, next.row, next.col)) return next;
  }
  return std::nullopt;
}

}  // namespace

int junction_order(const gridkit::IntGrid& IORDER, gridkit::Cell junction) {
  int MAXO = 0;
  int MINO = 0;
  int CNT = 0;
  bool any = false;
  for (const Offset& o : kNeighbourOrder) {
    const int row = junction.row + o.drow;
    const int col = junction.col + o.dcol;
    if (!gridkit::inside_grid(row, col)) continue;
    const int order = IORDER(row, col);
    if (order <= 0) continue;
    if (!any) {
      MAXO = MINO = order;
      CNT = 1;
      any = true;
    } else if (order > MAXO) {
      MAXO = order;
      CNT = 1;
    } else if (order == MAXO) {
      ++CNT;
    }
    MINO = std::min(MINO, order);
  }
  return (MINO == MAXO || CNT > 1) ? MAXO + 1 : MAXO;
}

std::vector<Segment> trace_network(const gridkit::GridArray<char>& CELLMAP,
                                   const gridkit::IntGrid& IRIVER, gridkit::IntGrid& IORDER) {
  std::vector<Segment> segments;
  for (int i = 1; i <= gridkit::NROW; ++i) {
    for (int j = 1; j <= gridkit::NCOL; ++j) {
      if (CELLMAP(i, j) != kLineEnd) continue;
      segments.emplace_back();
      IORDER(i, j) = 1;
      gridkit::Cell c{i, j};
      while (true) {
        std::vector<gridkit::Cell>& reaches = segments.back().reaches;
        reaches.push_back(c);
        const char cls = CELLMAP(c.row, c.col);
        if (cls == kMouth || (cls == kLineEnd && reaches.size() > 1)) break;
        if (cls == kJunction) {
          // The arriving segment ends here; the one below waits for the
          // junction's last untraced branch.
          if (untraced_neighbours(IRIVER, IORDER, c) != 1) break;
          segments.emplace_back();
          segments.back().reaches.push_back(c);
          IORDER(c.row, c.col) = junction_order(IORDER, c);
        }
        const int order = IORDER(c.row, c.col);
        if (c == kLinkFrom) {
          IORDER(kLinkTo.row, kLinkTo.col) = order;
          c = kLinkTo;
        } else if (const std::optional<gridkit::Cell> next =
                       first_untraced_neighbour(IRIVER, IORDER, c)) {
          if (CELLMAP(next->row, next->col) != kJunction) IORDER(next->row, next->col) = order;
          c = *next;
        } else {
          break;
        }
      }
    }
  }
  return segments;
}

}  // namespace heron2
