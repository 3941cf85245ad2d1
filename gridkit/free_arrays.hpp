// Whole-grid arrays as blank-separated text, for programs that read arrays in
// free format only and in double precision (MODFLOW 6).
//
// Each real is written in the shortest form that reads back to the same
// single-precision value (put_shortest), so the copy holds exactly the kit's
// floats. Every row starts on a new line and takes lines of 10 values.
#pragma once

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

void write_free_grid(OutFile& file, const RealGrid& grid);
void write_free_grid(OutFile& file, const IntGrid& grid);

}  // namespace gridkit
