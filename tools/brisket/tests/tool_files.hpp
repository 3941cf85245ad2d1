// Small generated models for the family's tests: a scratch folder, input
// files written in the kit's layouts, and the outputs read back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "gridkit/arrays.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"
#include "gridkit/tool_main.hpp"

namespace brisket::testing {

using gridkit::IntGrid;
using gridkit::NCOL;
using gridkit::NROW;
using gridkit::RealGrid;

// A fresh folder per test, named after it.
inline std::filesystem::path scratch_folder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "brisket-tests" /
                                       (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

inline void write_text(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

inline std::string read_text(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_ibound(const std::filesystem::path& file, const IntGrid& codes) {
  gridkit::OutFile out(file, file.filename().string());
  gridkit::write_int_grid(out, codes);
  out.close();
}

inline void write_fixed_grid(const std::filesystem::path& file, const RealGrid& z) {
  gridkit::OutFile out(file, file.filename().string());
  gridkit::write_fixed_grid(out, z);
  out.close();
}

inline RealGrid read_bsk(const std::filesystem::path& file) {
  gridkit::InFile in = gridkit::InFile::open_existing(file, file.filename().string());
  return gridkit::read_fixed_grid(in);
}

// Line `n` (from 1) of a text file.
inline std::string line_of(const std::filesystem::path& file, int n) {
  std::istringstream in(read_text(file));
  std::string line;
  for (int k = 0; k < n; ++k) std::getline(in, line);
  return line;
}

// The ZMIN/ZMAX record of a text grid.
inline std::string zrange_line(const std::filesystem::path& grd) { return line_of(grd, 5); }

// The answers of a dialogue, one per line.
inline std::string answers(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  return text;
}

// The last line the console showed before "Stop - Program terminated.".
inline std::string completed_line(const gridkit::ToolRun& run) {
  std::istringstream in(run.output);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines.size() >= 2 ? lines[lines.size() - 2] : std::string();
}

}  // namespace brisket::testing
