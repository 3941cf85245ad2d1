// The Surfer text grid ("DSAA") of the model grid: header, then the rows from
// the southernmost (row NROW) up to row 1 in the fixed real form.
#pragma once

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

// The running minimum and maximum that a text grid's header reports.
struct Extremes {
  float zmin = 0.0f;
  float zmax = 0.0f;
  void include(float v) {
    if (v > zmax) zmax = v;
    if (v < zmin) zmin = v;
  }
};

void write_dsaa(OutFile& file, const RealGrid& z, float zmin, float zmax);

}  // namespace gridkit
