#include "tests/support/grid_files.hpp"

#include <cstdio>

#include "gridkit/arrays.hpp"
#include "gridkit/textfile.hpp"
#include "tests/support/scratch_folder.hpp"

namespace kit_test {

namespace fs = std::filesystem;

namespace {

template <class T>
void write_grid(const fs::path& file, const gridkit::GridArray<T>& grid,
                gridkit::ArrayLayout layout) {
  gridkit::OutFile out(file, file.filename().string());
  gridkit::write_grid(out, grid, layout);
  out.close();
}

void write_lines(const fs::path& file, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) (text += line) += '\n';
  write_text(file, text);
}

}  // namespace

void write_int_grid(const fs::path& file, const gridkit::IntGrid& grid) {
  write_grid(file, grid, gridkit::ArrayLayout::Int);
}

void write_fixed_grid(const fs::path& file, const gridkit::RealGrid& grid) {
  write_grid(file, grid, gridkit::ArrayLayout::Fixed);
}

void write_exp_grid(const fs::path& file, const gridkit::RealGrid& grid) {
  write_grid(file, grid, gridkit::ArrayLayout::Exp);
}

void write_free_grid(const fs::path& file, const gridkit::RealGrid& grid, int per_line) {
  std::string text;
  char value[32];
  for (int r = 1; r <= grid.rows(); ++r) {
    for (int c = 1; c <= grid.cols(); ++c) {
      std::snprintf(value, sizeof value, "%.9g", static_cast<double>(grid(r, c)));
      text += value;
      text += (c % per_line == 0 || c == grid.cols()) ? '\n' : ' ';
    }
  }
  write_text(file, text);
}

gridkit::IntGrid read_int_grid(const fs::path& file) {
  gridkit::InFile in = gridkit::InFile::open_existing(file, file.filename().string());
  return gridkit::read_int_grid(in);
}

gridkit::RealGrid read_fixed_grid(const fs::path& file) {
  gridkit::InFile in = gridkit::InFile::open_existing(file, file.filename().string());
  return gridkit::read_fixed_grid(in);
}

std::string field_at(const std::vector<std::string>& lines, int row, int col, int cols,
                     int per_line, int width) {
  const int lines_per_row = (cols + per_line - 1) / per_line;
  const std::string& line =
      lines.at(static_cast<std::size_t>((row - 1) * lines_per_row + (col - 1) / per_line));
  return line.substr(static_cast<std::size_t>(((col - 1) % per_line) * width),
                     static_cast<std::size_t>(width));
}

void replace_line(const fs::path& file, std::size_t number, const std::string& text) {
  std::vector<std::string> lines = read_lines(file);
  lines.at(number - 1) = text;
  write_lines(file, lines);
}

void truncate_lines(const fs::path& file, std::size_t count) {
  std::vector<std::string> lines = read_lines(file);
  lines.resize(count);
  write_lines(file, lines);
}

}  // namespace kit_test
