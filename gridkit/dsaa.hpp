// The Surfer text grid ("DSAA") of the model grid: header, then the rows from
// the southernmost (row NROW()) up to row 1 in the fixed real form.
#pragma once

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

void write_dsaa(OutFile& file, const RealGrid& z, float zmin, float zmax);

// As write_dsaa, for a grid some of whose nodes are blanked: a node holding
// Surfer's blank value (kDsaaBlank or more) is written as "1.70141E+38",
// which no field of 8 can hold, after one separating blank. Rows stay
// readable in free format, as Surfer and read_dsaa read them.
void write_dsaa_blanked(OutFile& file, const RealGrid& z, float zmin, float zmax);

}  // namespace gridkit
