// Band marking of a long closed curve: the bounded search (the edge's box
// widened by DELR()/2) against the search over every node. Prints both times
// and checks that the two give the same marks.
//
//   bench-quarrypit_band [vertices]   (default 5000)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gridkit/grid.hpp"
#include "tools/quarrypit/band.hpp"
#include "tools/quarrypit/curve.hpp"
#include "tools/quarrypit/hypot.hpp"

namespace {

using quarrypit::Vertex;

// A wavy closed curve over the middle of the grid, vertices 1 to 3 km apart.
std::vector<Vertex> wavy_curve(int count) {
  std::vector<Vertex> curve;
  const double centre_x = 470568.0;
  const double centre_y = 322628.0;
  for (int k = 0; k < count; ++k) {
    const double angle = 2.0 * 3.14159265358979 * k / count;
    const double radius =
        140000.0 + 60000.0 * std::sin(37.0 * angle) + 3000.0 * std::sin(911.0 * angle);
    curve.push_back({static_cast<float>(centre_x + radius * std::cos(angle)),
                     static_cast<float>(centre_y + radius * std::sin(angle))});
  }
  return curve;
}

template <class Mark>
double seconds_to_mark(const std::vector<Vertex>& curve, gridkit::IntGrid& iedge, Mark mark) {
  const auto start = std::chrono::steady_clock::now();
  for (std::size_t k = 0; k < curve.size(); ++k) {
    const Vertex a = curve[k];
    const Vertex b = curve[(k + 1) % curve.size()];
    if (quarrypit::hypot_single(b.x - a.x, b.y - a.y) > gridkit::DELR()) mark(iedge, a, b);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
  const std::vector<Vertex> curve = wavy_curve(count);
  int long_edges = 0;
  double length = 0.0;
  for (std::size_t k = 0; k < curve.size(); ++k) {
    const Vertex a = curve[k];
    const Vertex b = curve[(k + 1) % curve.size()];
    const float edge = quarrypit::hypot_single(b.x - a.x, b.y - a.y);
    length += edge;
    if (edge > gridkit::DELR()) ++long_edges;
  }
  std::printf("curve: %d vertices, %d edges longer than DELR, mean edge %.0f m\n", count,
              long_edges, length / count);

  gridkit::IntGrid bounded;
  gridkit::IntGrid every;
  const double t_bounded = seconds_to_mark(curve, bounded, quarrypit::mark_band);
  const double t_every = seconds_to_mark(curve, every, quarrypit::mark_band_every_node);

  // The whole curve step (vertex marks, bands, crossings, closing, sort).
  gridkit::IntGrid iedge;
  quarrypit::CurveTracer tracer(iedge);
  const auto start = std::chrono::steady_clock::now();
  tracer.start_curve();
  for (const Vertex& v : curve) tracer.add_vertex(v);
  tracer.close_curve();
  const double t_curve =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  long marks = 0;
  for (const int v : bounded.values()) marks += v;
  const bool same = bounded.values() == every.values();
  std::printf("band marking, edge box widened by DELR/2: %.3f s\n", t_bounded);
  std::printf("band marking, every node:                 %.3f s (%.0f x slower)\n", t_every,
              t_every / t_bounded);
  std::printf("whole curve (marks, bands, crossings):    %.3f s\n", t_curve);
  std::printf("marked nodes: %ld; same marks: %s\n", marks, same ? "yes" : "NO");
  return same ? 0 : 1;
}
