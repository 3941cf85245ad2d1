// Small river networks drawn as text for the tests, and the files a run of
// the tool needs, written with plain printf layouts of their own.
#pragma once

#include <string>
#include <vector>

#include "tests/support/scratch_folder.hpp"
#include "tools/heron2/river_cells.hpp"

namespace heron2::test {

// A picture placed with its first character on (row, col): "R" a river
// cell, "C" a constant-head cell (IBOUND -1, not river), anything else
// nothing. Every other cell of the grid is active (IBOUND 1).
struct Art {
  int row;
  int col;
  std::vector<std::string> lines;
};

// Fresh cells (all arrays sized for the grid, IBOUND 1) with the art drawn.
RiverCells cells_with(const std::vector<Art>& pictures);
void draw(RiverCells& cells, const Art& art);

// The classes, or the order digits, over the area the art covers.
std::vector<std::string> class_picture(const RiverCells& cells, const Art& art);
std::vector<std::string> order_picture(const RiverCells& cells, const Art& art);

// Classifies (with the fixed corrections) and traces.
std::vector<Segment> classify_and_trace(RiverCells& cells);

// Reaches of a segment as "(row,col) (row,col) ...".
std::string reach_list(const Segment& segment);

// An input record as the package holds it.
struct InputRecord {
  int layer;
  int row;
  int col;
  double stage;
  double conductance;
  double bottom;
  int iextra1;
  int iextra2;
};
std::string package_text(int mxrivr, int irivcb, int itmp, const std::vector<InputRecord>& records);

using kit_test::ScratchFolder;

// The IBOUND array written into `folder` as IBOUND.ARR.
void write_ibound(const ScratchFolder& folder, const gridkit::IntGrid& ibound);

}  // namespace heron2::test
