// Whole-grid array files, one row per call; every row starts on a new line.
//
//  - integer (IBOUND) layout: 25 values to a line in fields of 3 columns;
//    blank fields and the missing tail of a short line read 0, columns after
//    75 are ignored.
//  - real rows in free format: numbers separated by blanks or commas.
//  - real rows in fixed form: 10 values to a line in fields of 8 with 1
//    decimal (1 implied decimal on input).
//  - exponent layout: 8 values to a line in fields of 10 (".12500E+02"),
//    5 implied decimals on input.
#pragma once

#include <cstdint>
#include <span>

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

void read_int_row(InFile& file, std::span<std::int32_t> row);
void write_int_row(OutFile& file, std::span<const std::int32_t> row);

void read_free_row(InFile& file, std::span<float> row);

void read_fixed_row(InFile& file, std::span<float> row);
void write_fixed_row(OutFile& file, std::span<const float> row);

// Whole arrays of the model grid, rows 1..NROW() in order. A tool that reads
// several files row by row in step (so that the first short file is the one
// reported) keeps the row functions above.
IntGrid read_int_grid(InFile& file);  // an IBOUND or zone array
RealGrid read_free_grid(InFile& file);
RealGrid read_fixed_grid(InFile& file);
void write_int_grid(OutFile& file, const IntGrid& grid);
void write_fixed_grid(OutFile& file, const RealGrid& grid);

void read_exp_row(InFile& file, std::span<float> row);
void write_exp_row(OutFile& file, std::span<const float> row);

// Generic fixed-column row: `per_line` fields of `width` columns; a field
// without a point takes `implied_decimals` places.
void read_fixed_fields_row(InFile& file, std::span<float> row, int per_line, int width,
                           int implied_decimals);

}  // namespace gridkit
