// The file form: asks for a CRSTM point file, converts every point and writes
// one GEO.OUT line per point as soon as it is converted, so the lines before a
// bad input line are kept when the read fails.
#include <filesystem>
#include <system_error>

#include "gridkit/console.hpp"
#include "gridkit/dialogue.hpp"
#include "gridkit/error.hpp"
#include "gridkit/points.hpp"
#include "gridkit/projection.hpp"
#include "gridkit/record.hpp"
#include "gridkit/textfile.hpp"
#include "tools/plover/geo_line.hpp"
#include "tools/plover/plover.hpp"

namespace plover {
namespace {

constexpr int kNameLength = 40;  // the point-file name field
constexpr int kPointUnit = 10;   // named by the blank-name retry prompt
constexpr const char* kGeoFile = "GEO.OUT";

}  // namespace

void run_plover(gridkit::Console& con, const std::filesystem::path& folder) {
  write_frame(con, kFileFrame);
  gridkit::InFile points =
      gridkit::ask_existing(con, folder, gridkit::Record().text("ENTER THE CRSTM X,Y,Z FILENAME: "),
                            kNameLength, kPointUnit);
  // Answering GEO.OUT itself would replace the user's points with the output.
  std::error_code same_error;
  if (std::filesystem::equivalent(folder / points.name(), folder / kGeoFile, same_error)) {
    throw gridkit::KitError::open(points.name(),
                                  "this is the output file GEO.OUT; rename the point file");
  }
  gridkit::OutFile geo = gridkit::create_or_replace(folder, kGeoFile);

  while (const std::optional<gridkit::PointD> point = gridkit::read_point_double(points)) {
    const gridkit::Geodetic position = gridkit::crstm_to_geodetic(point->x, point->y);
    geo.line(geo_line(position, point->z));
  }
  geo.flush();
  con.stop();
}

}  // namespace plover
