// Fuzz target: arbitrary bytes as a curve file. Whatever the file holds
// (huge, infinite or missing coordinates, vertices far outside the grid,
// thousands of crossings on one row), reading, tracing, closing and filling
// must stay within the arrays and end either normally or with a read error.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "gridkit/error.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/points.hpp"
#include "gridkit/textfile.hpp"
#include "tools/quarrypit/curve.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Long curves only repeat what short ones exercise; keep each run quick.
  constexpr int kMaxVertices = 64;
  gridkit::InFile file = gridkit::InFile::from_text(
      "CURVE.XYZ", std::string(reinterpret_cast<const char*>(data), size));
  gridkit::IntGrid iedge;
  quarrypit::CurveTracer tracer(iedge);
  tracer.start_curve();
  try {
    while (tracer.vertex_count() < kMaxVertices) {
      const auto point = gridkit::read_point_xy(file);
      if (!point) break;
      tracer.add_vertex({point->x, point->y});
    }
  } catch (const gridkit::KitError&) {
    return 0;
  }
  if (tracer.vertex_count() == 0) return 0;
  tracer.close_curve();
  gridkit::IntGrid icurve;
  tracer.crossings().fill(icurve, 5);
  const bool marks_are_flags = std::all_of(iedge.values().begin(), iedge.values().end(),
                                           [](std::int32_t v) { return v == 0 || v == 1; });
  if (!marks_are_flags) __builtin_trap();
  return 0;
}
