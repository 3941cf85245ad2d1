// The point form: one X Y from the console, latitude and west longitude in
// decimal degrees as one free-format record. It has no files and, unlike every
// other tool of the kit, no closing line.
#include <array>

#include "gridkit/console.hpp"
#include "gridkit/projection.hpp"
#include "gridkit/record.hpp"
#include "tools/plover/plover.hpp"

namespace plover {

void run_plover_point(gridkit::Console& con, const std::filesystem::path& /*folder*/) {
  write_frame(con, kPointFrame);
  con.write(gridkit::Record().text(" ENTER A CRSTM X Y TO CONVERT TO GEODETIC: "));
  std::array<double, 2> xy{};
  con.read_values(xy);
  const gridkit::Geodetic position = gridkit::crstm_to_geodetic(xy[0], xy[1]);
  con.write(gridkit::Record().real_double(position.lat).real_double(position.lon_west));
}

}  // namespace plover
