#include <array>

#include "gridkit/projection.hpp"
#include "gridkit/record.hpp"
#include "tools/avocet/avocet.hpp"

namespace avocet {

// No banner and no prompt: the tool waits for LAT and LON as soon as it starts.
void run_avocet(gridkit::Console& con, const std::filesystem::path& /*folder*/) {
  std::array<double, 2> lat_lon{};
  con.read_values(lat_lon);
  const gridkit::ForwardResult r = gridkit::geodetic_to_crstm(lat_lon[0], lat_lon[1]);
  con.write(gridkit::Record().real_double(r.ep2));
  con.write(gridkit::Record().real_double(r.n));
  con.write(gridkit::Record().real_double(r.t));
  con.write(gridkit::Record().real_double(r.c));
  con.write(gridkit::Record().real_double(r.a));
  con.write(gridkit::Record().real_double(r.x).real_double(r.y));
  con.stop();
}

}  // namespace avocet
