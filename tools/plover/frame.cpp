#include "gridkit/record.hpp"
#include "tools/plover/plover.hpp"

namespace plover {

const Frame kFileFrame{
    "*********************************", "*                               *",
    "*           PLOVER              *", "*   CRSTM X,Y,Z TO LATITUDE AND *",
    "*   LONGITUDE IN DEG, MIN, SEC  *", "*                               *",
    "*********************************",
};

// The point form says in its title line that it converts a single point.
const Frame kPointFrame{
    "*********************************", "*                               *",
    "*     PLOVER  (ONE POINT)       *", "*   CRSTM X,Y TO LATITUDE AND   *",
    "*   LONGITUDE IN DECIMAL DEG.   *", "*                               *",
    "*********************************",
};

void write_frame(gridkit::Console& con, const Frame& frame) {
  for (const std::string_view line : frame) {
    con.write(gridkit::Record().text(line));
  }
}

}  // namespace plover
