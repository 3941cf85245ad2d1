// The dialogue and the run: banner, file names, one curve after another
// until the user answers N, then both arrays row by row.
#include "tools/quarrypit/quarrypit.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <string>

#include "gridkit/arrays.hpp"
#include "gridkit/dialogue.hpp"
#include "gridkit/error.hpp"
#include "gridkit/numfmt.hpp"
#include "gridkit/points.hpp"
#include "gridkit/record.hpp"
#include "tools/quarrypit/curve.hpp"

namespace quarrypit {

namespace {

// Name fields the dialogue reads, the unit numbers its retry prompts name,
// and the width of the boundary file's lines.
constexpr int kCurveNameLength = 40;
constexpr int kBaseNameLength = 8;
constexpr int kCurveUnit = 10;
constexpr int kZoneUnit = 11;
constexpr int kBoundaryDigitsPerLine = 75;
constexpr const char* kCurvePrompt = "ENTER THE CLOSED-CURVE CRSTM-XYZ INPUT FILENAME: ";

void say(gridkit::Console& con, std::string_view text) { con.write(gridkit::Record().text(text)); }

gridkit::InFile open_curve_file(gridkit::Console& con, const std::filesystem::path& folder) {
  return gridkit::ask_existing(con, folder, gridkit::Record().text(kCurvePrompt), kCurveNameLength,
                               kCurveUnit);
}

std::int32_t read_interior_value(gridkit::Console& con) {
  say(con, "ENTER THE BOOLEAN INTEGER FOR THE INTERIOR REGION:");
  std::array<long long, 1> value{};
  con.read_values(value);
  if (value[0] < std::numeric_limits<std::int32_t>::min() ||
      value[0] > std::numeric_limits<std::int32_t>::max()) {
    throw gridkit::KitError("read console: interior value " + std::to_string(value[0]) +
                            " does not fit a 32-bit integer");
  }
  return static_cast<std::int32_t>(value[0]);
}

// Reads the curve's vertices, echoing each, and closes the curve. Returns
// false for a file without a single vertex.
bool trace_curve(gridkit::Console& con, gridkit::InFile& file, CurveTracer& tracer) {
  tracer.start_curve();
  while (const auto point = gridkit::read_point_xy(file)) {
    tracer.add_vertex({point->x, point->y});
    con.write(gridkit::Record().text("VERTEX #").integer(tracer.vertex_count()));
  }
  if (tracer.vertex_count() == 0) return false;
  tracer.close_curve();
  return true;
}

// ICURVE from the sorted crossings, then merged into IZONE where non-zero.
void fill_and_merge(const CurveTracer& tracer, std::int32_t value, gridkit::IntGrid& icurve,
                    gridkit::IntGrid& izone) {
  std::fill(icurve.values().begin(), icurve.values().end(), 0);
  tracer.crossings().fill(icurve, value);
  for (std::size_t k = 0; k < icurve.values().size(); ++k) {
    if (icurve.values()[k] != 0) izone.values()[k] = icurve.values()[k];
  }
}

bool wants_another_curve(gridkit::Console& con) {
  con.write(gridkit::Record()
                .text("DO YOU WANT TO OPEN ANOTHER CLOSED-CURVE CRSTM-XYZ")
                .text(" INPUT FILENAME (Y,y or N,n) : "));
  const std::string answer = con.read_line();
  return answer.empty() || (answer[0] != 'n' && answer[0] != 'N');
}

}  // namespace

void write_boundary_rows(gridkit::OutFile& file, const gridkit::IntGrid& iedge, int row) {
  const std::span<const std::int32_t> values = iedge.row(row);
  for (int start = 0; start < iedge.cols(); start += kBoundaryDigitsPerLine) {
    std::string line;
    for (int j = start; j < iedge.cols() && j < start + kBoundaryDigitsPerLine; ++j) {
      line += gridkit::format_int(values[j], 1);
    }
    file.line(line);
  }
}

void run_quarrypit(gridkit::Console& con, const std::filesystem::path& folder) {
  con.banner("QUARRYPIT");
  con.write(gridkit::Record());
  say(con, "VECTOR IS CORRECTOR, BUT RASTER IS FASTER!!");
  con.write(gridkit::Record());

  // The curve name's blank retry waits until the output name is given.
  say(con, kCurvePrompt);
  const std::string curve_field = con.read_field(kCurveNameLength);
  constexpr std::string_view kZoneExtension[] = {".BOL"};
  const std::string base = gridkit::ask_base(
      con, gridkit::Record().text("ENTER THE FIRST 8 CHARACTERS OF THE OUTPUT FILENAME: "),
      kBaseNameLength, kZoneUnit);
  gridkit::show_output_names(con, base, kZoneExtension);

  gridkit::InFile curve_file = gridkit::open_existing(
      folder, gridkit::resolve_name(con, curve_field, kCurveNameLength, kCurveUnit));
  auto [zone_file] = gridkit::create_outputs(folder, base, kZoneExtension);

  gridkit::IntGrid izone;
  gridkit::IntGrid iedge;
  gridkit::IntGrid icurve;
  CurveTracer tracer(iedge);
  while (true) {
    if (trace_curve(con, curve_file, tracer)) {
      const std::int32_t value = read_interior_value(con);
      fill_and_merge(tracer, value, icurve, izone);
    } else {
      say(con, "NO VERTEX IN " + curve_file.name());
    }
    if (!wants_another_curve(con)) break;
    curve_file = open_curve_file(con, folder);
  }

  gridkit::OutFile boundary_file = gridkit::create_or_replace(folder, "BOUNDARY.FIL");
  for (int i = 1; i <= gridkit::NROW(); ++i) write_boundary_rows(boundary_file, iedge, i);
  gridkit::write_int_grid(zone_file, izone);
  boundary_file.flush();
  zone_file.flush();
  con.stop();
}

}  // namespace quarrypit
