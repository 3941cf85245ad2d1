// Helpers for the layer tools' tests: a scratch folder, whole-grid files
// written in the kit's layouts, and the text of one value's field in a file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/arrays.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"

namespace gridtest {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    path_ = fs::temp_directory_path() / ("kit-layers-" + std::to_string(seed()) + "-" +
                                         std::to_string(seed()));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& path() const { return path_; }
  fs::path operator/(std::string_view name) const { return path_ / std::string(name); }

 private:
  fs::path path_;
};

template <class F>
gridkit::RealGrid make_grid(int rows, int cols, F value_at) {
  gridkit::RealGrid grid(rows, cols);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= cols; ++c) grid(r, c) = value_at(r, c);
  return grid;
}

template <class F>
gridkit::IntGrid make_int_grid(F value_at) {
  gridkit::IntGrid grid;
  for (int r = 1; r <= gridkit::NROW; ++r)
    for (int c = 1; c <= gridkit::NCOL; ++c) grid(r, c) = value_at(r, c);
  return grid;
}

// Real grid in fixed form (10 x F8.1 a line), every row on new lines.
inline void write_fixed_grid(const fs::path& path, const gridkit::RealGrid& grid) {
  gridkit::OutFile out(path, path.filename().string());
  for (int r = 1; r <= grid.rows(); ++r)
    gridkit::write_fixed_row(out, grid.row(r));
  out.flush();
}

// Real grid in the exponent layout (8 x E10 a line).
inline void write_exp_grid(const fs::path& path, const gridkit::RealGrid& grid) {
  gridkit::OutFile out(path, path.filename().string());
  for (int r = 1; r <= grid.rows(); ++r)
    gridkit::write_exp_row(out, grid.row(r));
  out.flush();
}

// Integer grid in the IBOUND layout (25 x I3 a line).
inline void write_int_grid(const fs::path& path, const gridkit::IntGrid& grid) {
  gridkit::OutFile out(path, path.filename().string());
  for (int r = 1; r <= grid.rows(); ++r)
    gridkit::write_int_row(out, grid.row(r));
  out.flush();
}

inline std::string read_text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::vector<std::string> read_lines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Replaces line `number` (from 1) of a text file.
inline void replace_line(const fs::path& path, std::size_t number, const std::string& text) {
  std::vector<std::string> lines = read_lines(path);
  lines.at(number - 1) = text;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const auto& line : lines) out << line << '\n';
}

// Keeps the first `count` lines of a text file.
inline void truncate_lines(const fs::path& path, std::size_t count) {
  std::vector<std::string> lines = read_lines(path);
  lines.resize(count);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const auto& line : lines) out << line << '\n';
}

// The line (from 1) holding value (row, col) of a file whose rows of `cols`
// values take `per_line` values a line.
inline std::size_t line_of(int row, int col, int cols, int per_line) {
  const int lines_per_row = (cols + per_line - 1) / per_line;
  return static_cast<std::size_t>((row - 1) * lines_per_row + (col - 1) / per_line + 1);
}

// The text of value (row, col)'s field.
inline std::string field_at(const std::vector<std::string>& lines, int row, int col, int cols,
                            int per_line, int width) {
  const std::string& line = lines.at(line_of(row, col, cols, per_line) - 1);
  return line.substr(static_cast<std::size_t>(((col - 1) % per_line) * width),
                     static_cast<std::size_t>(width));
}

inline std::string fixed_field(const std::vector<std::string>& lines, int row, int col,
                               int cols = gridkit::NCOL) {
  return field_at(lines, row, col, cols, 10, 8);
}

inline std::string exp_field(const std::vector<std::string>& lines, int row, int col, int cols) {
  return field_at(lines, row, col, cols, 8, 10);
}

// Console answers, one a line.
inline std::string answers(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const auto line : lines) (text += line) += '\n';
  return text;
}

}  // namespace gridtest
