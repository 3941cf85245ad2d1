#include "tools/heron2/tests/network_art.hpp"

#include <algorithm>
#include <cstdio>

#include "tests/support/grid_files.hpp"
#include "tools/heron2/classify.hpp"
#include "tools/heron2/trace.hpp"

namespace heron2::test {

void draw(RiverCells& cells, const Art& art) {
  for (std::size_t r = 0; r < art.lines.size(); ++r) {
    for (std::size_t c = 0; c < art.lines[r].size(); ++c) {
      const int row = art.row + static_cast<int>(r);
      const int col = art.col + static_cast<int>(c);
      if (art.lines[r][c] == 'R') cells.river_flag(row, col) = 1;
      if (art.lines[r][c] == 'C') cells.boundary(row, col) = -1;
    }
  }
}

RiverCells cells_with(const std::vector<Art>& pictures) {
  RiverCells cells;
  std::fill(cells.boundary.values().begin(), cells.boundary.values().end(), 1);
  for (const Art& art : pictures) draw(cells, art);
  return cells;
}

std::vector<std::string> class_picture(const RiverCells& cells, const Art& art) {
  std::vector<std::string> out;
  for (std::size_t r = 0; r < art.lines.size(); ++r) {
    std::string line;
    for (std::size_t c = 0; c < art.lines[r].size(); ++c) {
      const gridkit::Cell cell{art.row + static_cast<int>(r), art.col + static_cast<int>(c)};
      line += map_char(cells.cell_class(cell.row, cell.col));
    }
    out.push_back(line);
  }
  return out;
}

std::vector<std::string> order_picture(const RiverCells& cells, const Art& art) {
  std::vector<std::string> out;
  for (std::size_t r = 0; r < art.lines.size(); ++r) {
    std::string line;
    for (std::size_t c = 0; c < art.lines[r].size(); ++c) {
      const int order =
          cells.stream_order(art.row + static_cast<int>(r), art.col + static_cast<int>(c));
      line += order == 0 ? '.' : static_cast<char>('0' + order);
    }
    out.push_back(line);
  }
  return out;
}

std::vector<Segment> classify_and_trace(RiverCells& cells) {
  classify_cells(cells.river_flag, cells.boundary, cells.cell_class);
  apply_fixed_corrections(cells.cell_class);
  return trace_network(cells.cell_class, cells.river_flag, cells.stream_order);
}

std::string reach_list(const Segment& segment) {
  std::string out;
  for (const gridkit::Cell& c : segment.reaches) {
    if (!out.empty()) out += ' ';
    out += '(';
    out += std::to_string(c.row);
    out += ',';
    out += std::to_string(c.col);
    out += ')';
  }
  return out;
}

std::string package_text(int mxrivr, int irivcb, int itmp,
                         const std::vector<InputRecord>& records) {
  std::string text;
  char buf[160];
  std::snprintf(buf, sizeof buf, "%10d%10d\n%10d\n", mxrivr, irivcb, itmp);
  text += buf;
  for (const InputRecord& r : records) {
    std::snprintf(buf, sizeof buf, "%10d%10d%10d%10.3f%10.4f%10.3f%10d%7d\n", r.layer, r.row, r.col,
                  r.stage, r.conductance, r.bottom, r.iextra1, r.iextra2);
    text += buf;
  }
  return text;
}

void write_ibound(const ScratchFolder& folder, const gridkit::IntGrid& ibound) {
  kit_test::write_int_grid(folder / "IBOUND.ARR", ibound);
}

}  // namespace heron2::test
