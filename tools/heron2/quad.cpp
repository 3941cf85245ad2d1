#include "tools/heron2/quad.hpp"

#include "gridkit/degrees.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/numfmt.hpp"
#include "gridkit/projection.hpp"
#include "gridkit/record.hpp"

namespace heron2 {
namespace {

constexpr double kSheetOriginLat = 45.875;      // north edge of the first sheet row
constexpr double kSheetOriginLonWest = 86.875;  // west edge of the first sheet column
constexpr double kSheetStep = 0.125;            // sheet size in degrees
constexpr char kFirstSheetLetter = 'G';         // letter of the first sheet row
constexpr int kFirstSheetNumber = 15;

std::string dms_fields(const DegMinSec& dms) {
  return gridkit::format_int(dms.degrees, 3) + gridkit::format_int(dms.minutes, 3) +
         gridkit::format_int(dms.seconds, 3);
}

}  // namespace

GridXY node_coordinates(int col, int row) {
  return {gridkit::node_x_double(col), gridkit::node_y_double(row)};
}

DegMinSec to_deg_min_sec(double angle) {
  const gridkit::DegreesMinutesSeconds<float> parts = gridkit::split_degrees<float>(angle);
  return {static_cast<int>(parts.degrees), static_cast<int>(parts.minutes),
          static_cast<int>(parts.seconds)};
}

MapSheet map_sheet(double lat, double lon_west) {
  const int sheet_col = static_cast<int>((kSheetOriginLonWest - lon_west) / kSheetStep) + 1;
  const int sheet_row = static_cast<int>((kSheetOriginLat - lat) / kSheetStep) + 1;
  return {static_cast<char>(kFirstSheetLetter + sheet_row / 2), kFirstSheetNumber + sheet_col / 2};
}

std::string position_line(int col, int row) {
  // The inverse projection gets copies of the node coordinates.
  const GridXY xy = node_coordinates(col, row);
  const gridkit::Geodetic geo = gridkit::crstm_to_geodetic(xy.x, xy.y);
  const MapSheet sheet = map_sheet(geo.lat, geo.lon_west);
  return "STARTING REACH AT: " + dms_fields(to_deg_min_sec(geo.lat)) + "     " +
         dms_fields(to_deg_min_sec(geo.lon_west)) + "     QUAD: " + std::string(1, sheet.letter) +
         gridkit::format_int(sheet.number, 2);
}

void write_position(int col, int row, gridkit::OutFile& problem) {
  problem.write(gridkit::Record());
  problem.line(position_line(col, row));
}

}  // namespace heron2
