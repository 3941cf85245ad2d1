// The geographic position of a cell as PROBLEM.SEG reports it: latitude and
// longitude (degrees west) in degrees, minutes and seconds, and the index of
// the 1/8-degree map sheet that holds it.
#pragma once

#include <string>

#include "gridkit/textfile.hpp"

namespace heron2 {

struct GridXY {
  double x;
  double y;
};

// Node of the cell in column `col`, row `row`, in double precision.
GridXY node_coordinates(int col, int row);

struct DegMinSec {
  int degrees;
  int minutes;
  int seconds;
};

// Whole degrees, minutes and seconds of an angle, each cut toward zero; the
// minutes product is held in single precision (gridkit::split_degrees<float>).
DegMinSec to_deg_min_sec(double angle);

struct MapSheet {
  char letter;  // the character of code 71 + sheet row / 2 ("G" for the first row of sheets)
  int number;   // 15 + sheet column / 2
};

// Sheets of 0.125 degrees counted south from 45.875 N and east from 86.875 W.
MapSheet map_sheet(double lat, double lon_west);

// The position line of the cell: "STARTING REACH AT: ", latitude and
// longitude as three fields of 3 each, "     QUAD: ", letter and number.
std::string position_line(int col, int row);

// Writes the blank record and the position line of the cell.
void write_position(int col, int row, gridkit::OutFile& problem);

}  // namespace heron2
