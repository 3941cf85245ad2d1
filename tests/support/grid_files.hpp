// Whole-grid array files for the tests, written with the kit's own writers
// (free-format reals: `per_line` values to a line, 9 significant digits); the
// outputs read back; and the text of one value's field.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "gridkit/grid.hpp"

namespace kit_test {

// A grid of rows x cols (the model grid for make_int_grid) holding value(row, col).
template <class F>
gridkit::RealGrid make_grid(int rows, int cols, F value) {
  gridkit::RealGrid grid(rows, cols);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= cols; ++c) grid(r, c) = value(r, c);
  return grid;
}

template <class F>
gridkit::IntGrid make_int_grid(F value) {
  gridkit::IntGrid grid;
  for (int r = 1; r <= grid.rows(); ++r)
    for (int c = 1; c <= grid.cols(); ++c) grid(r, c) = value(r, c);
  return grid;
}

void write_int_grid(const std::filesystem::path& file, const gridkit::IntGrid& grid);
void write_fixed_grid(const std::filesystem::path& file, const gridkit::RealGrid& grid);
void write_exp_grid(const std::filesystem::path& file, const gridkit::RealGrid& grid);
void write_free_grid(const std::filesystem::path& file, const gridkit::RealGrid& grid,
                     int per_line = 12);

// Model-grid arrays read back by the kit's readers.
gridkit::IntGrid read_int_grid(const std::filesystem::path& file);
gridkit::RealGrid read_fixed_grid(const std::filesystem::path& file);

// The text of value (row, col)'s field, in lines of a file whose rows of
// `cols` values take `per_line` fields of `width` to a line.
std::string field_at(const std::vector<std::string>& lines, int row, int col, int cols,
                     int per_line, int width);
inline std::string fixed_field(const std::vector<std::string>& lines, int row, int col,
                               int cols = gridkit::NCOL()) {
  return field_at(lines, row, col, cols, 10, 8);
}
inline std::string exp_field(const std::vector<std::string>& lines, int row, int col, int cols) {
  return field_at(lines, row, col, cols, 8, 10);
}

// Replaces line `number` (from 1) of a text file; keeps its first `count` lines.
void replace_line(const std::filesystem::path& file, std::size_t number, const std::string& text);
void truncate_lines(const std::filesystem::path& file, std::size_t count);

}  // namespace kit_test
