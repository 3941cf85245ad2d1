// The Surfer text grid ("DSAA") of the model grid: header, then the rows from
// the southernmost (row NROW) up to row 1 in the fixed real form.
#pragma once

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

void write_dsaa(OutFile& file, const RealGrid& z, float zmin, float zmax);

}  // namespace gridkit
