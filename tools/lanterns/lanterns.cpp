// The dialogue and the conversion loop: one prompt, the base name, then every
// point of BASE.xyz converted and written to BASE.OUT as one free-format
// record, which makes BASE.OUT a CRSTM point file.
#include "tools/lanterns/lanterns.hpp"

#include <iostream>
#include <string>

#include "gridkit/dialogue.hpp"
#include "gridkit/error.hpp"
#include "gridkit/points.hpp"
#include "gridkit/record.hpp"
#include "gridkit/textfile.hpp"
#include "tools/lanterns/sheet_placement.hpp"

namespace lanterns {

namespace {

// The answer field: a base name of 8 characters and room for an extension of
// 4, which is ignored (the extensions are fixed).
constexpr int kNameLength = 12;
constexpr int kBaseLength = 8;
constexpr int kInputUnit = 10;  // the base names the .xyz input and the .OUT output

// The next point of the file; a line that cannot be read as numbers is
// reported and skipped, and reading goes on with the line after it.
std::optional<gridkit::PointF> next_point(gridkit::InFile& file, std::ostream& report) {
  while (true) {
    try {
      return gridkit::read_point_single(file);
    } catch (const gridkit::KitError& bad_line) {
      report << bad_line.what() << " - line skipped\n";
    }
  }
}

}  // namespace

void convert_points(gridkit::Console& con, const std::filesystem::path& folder,
                    std::ostream& report) {
  con.write(gridkit::Record().text("ENTER THE 8 CHARACTER .XYZ FILENAME CONTAINING "));
  const std::string base =
      gridkit::ask_base(con, gridkit::Record().text("DIGITIZER XYZ (OUTPUT FROM PENNYCAT.EXE): "),
                        kNameLength, kBaseLength, kInputUnit);

  gridkit::InFile input = gridkit::open_existing(folder, base + ".xyz");
  gridkit::OutFile output = gridkit::create_or_replace(folder, base + ".OUT");

  while (const std::optional<gridkit::PointF> point = next_point(input, report)) {
    float x = point->x;
    float y = point->y;
    to_crstm(x, y);
    output.write(gridkit::Record().real(x).real(y).real(point->z));
  }
  output.flush();
  con.stop();
}

void run_lanterns(gridkit::Console& con, const std::filesystem::path& folder) {
  convert_points(con, folder, std::cerr);
}

}  // namespace lanterns
