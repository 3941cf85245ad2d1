#include "tools/heron2/trace.hpp"

#include <optional>

#include "gridkit/extremes.hpp"

namespace heron2 {
namespace {

bool untraced_river(const gridkit::IntGrid& river_flag, const gridkit::IntGrid& stream_order,
                    int row, int col) {
  return is_river(river_flag, row, col) && stream_order(row, col) == 0;
}

int untraced_neighbours(const gridkit::IntGrid& river_flag, const gridkit::IntGrid& stream_order,
                        gridkit::Cell c) {
  int count = 0;
  for (const Offset& o : kNeighbourOrder) {
    count += untraced_river(river_flag, stream_order, c.row + o.drow, c.col + o.dcol);
  }
  return count;
}

std::optional<gridkit::Cell> first_untraced_neighbour(const gridkit::IntGrid& river_flag,
                                                      const gridkit::IntGrid& stream_order,
                                                      gridkit::Cell c) {
  for (const Offset& o : kNeighbourOrder) {
    const gridkit::Cell next{c.row + o.drow, c.col + o.dcol};
    if (untraced_river(river_flag, stream_order, next.row, next.col)) return next;
  }
  return std::nullopt;
}

}  // namespace

int junction_order(const gridkit::IntGrid& stream_order, gridkit::Cell junction) {
  gridkit::Extremes<int> orders;  // both 0 while no neighbour has an order
  int largest_count = 0;          // neighbours holding the largest order
  bool any = false;
  for (const Offset& o : kNeighbourOrder) {
    const int row = junction.row + o.drow;
    const int col = junction.col + o.dcol;
    if (!gridkit::inside_grid(row, col)) continue;
    const int order = stream_order(row, col);
    if (order <= 0) continue;
    if (!any) {
      orders = gridkit::Extremes<int>::starting_at(order);
      largest_count = 1;
      any = true;
      continue;
    }
    if (order > orders.largest) {
      largest_count = 1;
    } else if (order == orders.largest) {
      ++largest_count;
    }
    orders.include(order);
  }
  return (orders.smallest == orders.largest || largest_count > 1) ? orders.largest + 1
                                                                  : orders.largest;
}

std::vector<Segment> trace_network(const gridkit::GridArray<CellClass>& cell_class,
                                   const gridkit::IntGrid& river_flag,
                                   gridkit::IntGrid& stream_order) {
  std::vector<Segment> segments;
  const bool linked = has_fixed_link();
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    for (int j = 1; j <= gridkit::NCOL(); ++j) {
      if (cell_class(i, j) != CellClass::LineEnd) continue;
      segments.emplace_back();
      stream_order(i, j) = 1;
      gridkit::Cell c{i, j};
      while (true) {
        std::vector<gridkit::Cell>& reaches = segments.back().reaches;
        reaches.push_back(c);
        const CellClass cls = cell_class(c.row, c.col);
        if (cls == CellClass::Mouth || (cls == CellClass::LineEnd && reaches.size() > 1)) break;
        if (cls == CellClass::Junction) {
          // The arriving segment ends here; the one below waits for the
          // junction's last untraced branch.
          if (untraced_neighbours(river_flag, stream_order, c) != 1) break;
          segments.emplace_back();
          segments.back().reaches.push_back(c);
          stream_order(c.row, c.col) = junction_order(stream_order, c);
        }
        const int order = stream_order(c.row, c.col);
        if (linked && c == kLinkFrom) {
          stream_order(kLinkTo.row, kLinkTo.col) = order;
          c = kLinkTo;
        } else if (const std::optional<gridkit::Cell> next =
                       first_untraced_neighbour(river_flag, stream_order, c)) {
          if (cell_class(next->row, next->col) != CellClass::Junction)
            stream_order(next->row, next->col) = order;
          c = *next;
        } else {
          break;
        }
      }
    }
  }
  return segments;
}

Untraced untraced_river_cells(const gridkit::IntGrid& river_flag,
                              const std::vector<Segment>& segments) {
  gridkit::GridArray<char> reached(gridkit::NROW(), gridkit::NCOL(), 0);
  for (const Segment& segment : segments) {
    for (const gridkit::Cell& c : segment.reaches) {
      if (gridkit::inside_grid(c.row, c.col)) reached(c.row, c.col) = 1;
    }
  }
  Untraced untraced;
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    for (int j = 1; j <= gridkit::NCOL(); ++j) {
      if (river_flag(i, j) != 1 || reached(i, j) != 0) continue;
      ++untraced.count;
      if (!untraced.first) untraced.first = gridkit::Cell{i, j};
    }
  }
  return untraced;
}

}  // namespace heron2
