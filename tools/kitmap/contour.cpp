#include "tools/kitmap/contour.hpp"

#include <unordered_map>

namespace kitmap {

namespace {

// The four edges of a square, for the case table.
enum Edge { kTop, kRight, kBottom, kLeft };

struct Square {
  const Field& f;
  int r, c;
  double level;

  long edge_id(Edge e) const {
    // Horizontal edge (r, c)-(r, c+1): even id; vertical (r, c)-(r+1, c): odd.
    const auto id = [this](int row, int col, int vertical) {
      return (static_cast<long>(row) * f.cols + col) * 2 + vertical;
    };
    switch (e) {
      case kTop: return id(r, c, 0);
      case kBottom: return id(r + 1, c, 0);
      case kLeft: return id(r, c, 1);
      case kRight: return id(r, c + 1, 1);
    }
    return 0;
  }

  Point cut(int r0, int c0, int r1, int c1) const {
    const double a = f.at(r0, c0);
    const double b = f.at(r1, c1);
    const double t = (level - a) / (b - a);
    return {c0 + t * (c1 - c0), r0 + t * (r1 - r0)};
  }

  Point where(Edge e) const {
    switch (e) {
      case kTop: return cut(r, c, r, c + 1);
      case kBottom: return cut(r + 1, c, r + 1, c + 1);
      case kLeft: return cut(r, c, r + 1, c);
      case kRight: return cut(r, c + 1, r + 1, c + 1);
    }
    return {};
  }

  void add(std::vector<Segment>& out, Edge a, Edge b) const {
    out.push_back({where(a), where(b), edge_id(a), edge_id(b)});
  }
};

}  // namespace

std::vector<Segment> contour_segments(const Field& f, double level) {
  std::vector<Segment> out;
  for (int r = 0; r + 1 < f.rows; ++r) {
    for (int c = 0; c + 1 < f.cols; ++c) {
      if (!f.ok(r, c) || !f.ok(r, c + 1) || !f.ok(r + 1, c) || !f.ok(r + 1, c + 1)) continue;
      const double tl = f.at(r, c), tr = f.at(r, c + 1);
      const double br = f.at(r + 1, c + 1), bl = f.at(r + 1, c);
      const int index = (tl >= level ? 8 : 0) | (tr >= level ? 4 : 0) | (br >= level ? 2 : 0) |
                        (bl >= level ? 1 : 0);
      const Square s{f, r, c, level};
      const bool centre_above = (tl + tr + br + bl) / 4.0 >= level;
      // A corner pattern and its complement cross the same two sides, so the
      // cases come in pairs; only the saddles 5 and 10 need the centre.
      switch (index) {
        case 1:
        case 14: s.add(out, kLeft, kBottom); break;
        case 2:
        case 13: s.add(out, kBottom, kRight); break;
        case 3:
        case 12: s.add(out, kLeft, kRight); break;
        case 4:
        case 11: s.add(out, kTop, kRight); break;
        case 6:
        case 9: s.add(out, kTop, kBottom); break;
        case 7:
        case 8: s.add(out, kTop, kLeft); break;
        case 5:  // top-right and bottom-left above
          if (centre_above) {
            s.add(out, kTop, kLeft);
            s.add(out, kBottom, kRight);
          } else {
            s.add(out, kTop, kRight);
            s.add(out, kLeft, kBottom);
          }
          break;
        case 10:  // top-left and bottom-right above
          if (centre_above) {
            s.add(out, kTop, kRight);
            s.add(out, kLeft, kBottom);
          } else {
            s.add(out, kTop, kLeft);
            s.add(out, kBottom, kRight);
          }
          break;
        default: break;  // 0 and 15: the level does not cross the square
      }
    }
  }
  return out;
}

std::vector<std::vector<Point>> join_segments(const std::vector<Segment>& segments) {
  // Every edge is shared by at most two segments: the two squares beside it.
  std::unordered_multimap<long, std::size_t> by_edge;
  by_edge.reserve(segments.size() * 2);
  for (std::size_t k = 0; k < segments.size(); ++k) {
    by_edge.emplace(segments[k].edge_a, k);
    by_edge.emplace(segments[k].edge_b, k);
  }
  std::vector<std::uint8_t> used(segments.size(), 0);
  // The unused segment other than `from` that ends on `edge`, or npos.
  const auto next_on = [&](long edge, std::size_t from) {
    auto [lo, hi] = by_edge.equal_range(edge);
    for (auto it = lo; it != hi; ++it)
      if (it->second != from && !used[it->second]) return it->second;
    return static_cast<std::size_t>(-1);
  };
  // Extends `line` from its last point across `edge` while segments follow.
  const auto extend = [&](std::vector<Point>& line, long edge, std::size_t from) {
    for (std::size_t k = next_on(edge, from); k != static_cast<std::size_t>(-1);
         from = k, k = next_on(edge, from)) {
      used[k] = 1;
      const Segment& s = segments[k];
      const bool forward = s.edge_a == edge;
      line.push_back(forward ? s.b : s.a);
      edge = forward ? s.edge_b : s.edge_a;
    }
    return edge;
  };

  std::vector<std::vector<Point>> lines;
  for (std::size_t k = 0; k < segments.size(); ++k) {
    if (used[k]) continue;
    used[k] = 1;
    const Segment& s = segments[k];
    std::vector<Point> ahead{s.a, s.b};
    const long end = extend(ahead, s.edge_b, k);
    if (end == s.edge_a) {
      ahead.back() = s.a;  // closed: the walk came back to the first point
      lines.push_back(std::move(ahead));
      continue;
    }
    std::vector<Point> behind{s.a};
    extend(behind, s.edge_a, k);
    std::vector<Point> line(behind.rbegin(), behind.rend());
    line.insert(line.end(), ahead.begin() + 1, ahead.end());
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace kitmap
