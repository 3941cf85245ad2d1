// Reading and writing whole-grid arrays in the layouts of array_layout.hpp.
#pragma once

#include <cstdint>
#include <span>

#include "gridkit/array_layout.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

// Whole arrays, rows 1..rows() of the grid given, each of its cols() values;
// what follows the last row is not read. Integer grids are read and written
// in the int and free layouts, real grids in the fixed, exp and free layouts;
// a short file or a field that is not a number is a KitError naming the file
// and line.
void read_grid(InFile& file, IntGrid& grid, ArrayLayout layout);
void read_grid(InFile& file, RealGrid& grid, ArrayLayout layout);
void write_grid(OutFile& file, const IntGrid& grid, ArrayLayout layout);
void write_grid(OutFile& file, const RealGrid& grid, ArrayLayout layout);

// The model grid in the layout each kind of array has by default.
IntGrid read_int_grid(InFile& file);  // an IBOUND or zone array
RealGrid read_free_grid(InFile& file);
RealGrid read_fixed_grid(InFile& file);
void write_int_grid(OutFile& file, const IntGrid& grid);
void write_fixed_grid(OutFile& file, const RealGrid& grid);

// One row at a time, for a tool that reads several files row by row in step
// (so that the first short file is the one reported).
void read_int_row(InFile& file, std::span<std::int32_t> row);
void write_int_row(OutFile& file, std::span<const std::int32_t> row);
void read_free_row(InFile& file, std::span<float> row);
void read_fixed_row(InFile& file, std::span<float> row);
void write_fixed_row(OutFile& file, std::span<const float> row);
void read_exp_row(InFile& file, std::span<float> row);
void write_exp_row(OutFile& file, std::span<const float> row);

}  // namespace gridkit
