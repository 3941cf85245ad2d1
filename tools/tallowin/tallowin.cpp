#include "tools/tallowin/tallowin.hpp"

#include <optional>
#include <span>
#include <string>

#include "gridkit/arrays.hpp"
#include "gridkit/dialogue.hpp"
#include "gridkit/dsaa.hpp"
#include "gridkit/extremes.hpp"
#include "gridkit/grid.hpp"

namespace tallowin {

namespace {

using gridkit::NCOL;
using gridkit::NROW;
using Extremes = gridkit::Extremes<float>;

constexpr int kNameLength = 12;  // name fields of both tools
constexpr int kInputUnit = 10;
constexpr int kBoundaryUnit = 11;
constexpr int kBaseLength = 8;  // the output grid is named from this much of the input name

// TRANSMI1.DAT gives TRANSMI1.GRD, AB.DAT gives AB.DAT.GRD.
std::string grid_name_for(const std::string& input_name) {
  return gridkit::trim_blanks(input_name.substr(0, kBaseLength)) + ".GRD";
}

// The first range pass, over the values as read: it starts from row 1,
// column 1 once row 1 is in.
void widen_with_row(Extremes& range, int row, std::span<const float> values) {
  if (row == 1) range = Extremes::starting_at(values[0]);
  for (const float v : values) range.include(v);
}

// Inactive cells become 0.0 (constant-head cells keep their value); the
// range keeps growing from the first pass, so it covers both.
void blank_inactive_cells(gridkit::RealGrid& z, const gridkit::IntGrid& ibound, Extremes& range) {
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      if (ibound(i, j) == 0) z(i, j) = 0.0f;
      range.include(z(i, j));
    }
  }
}

void run(gridkit::Console& con, const std::filesystem::path& folder, bool with_boundary) {
  con.banner(with_boundary ? "TALLOWIN" : "TALLOWEX");

  gridkit::InFile input = gridkit::ask_existing(
      con, folder, gridkit::Record() << "ENTER THE NAME OF THE INPUT FILE: ", kNameLength,
      kInputUnit);
  gridkit::OutFile grid = gridkit::create_or_replace(folder, grid_name_for(input.name()));

  std::optional<gridkit::InFile> boundary;
  if (with_boundary) {
    boundary.emplace(gridkit::ask_existing(
        con, folder, gridkit::Record() << "ENTER THE NAME OF THE IBOUND ARRAY: ", kNameLength,
        kBoundaryUnit));
  }

  gridkit::RealGrid z;
  // Only TALLOWIN reads an IBOUND array.
  std::optional<gridkit::IntGrid> ibound;
  if (boundary) ibound.emplace();
  Extremes range;
  for (int i = 1; i <= NROW(); ++i) {
    if (boundary) gridkit::read_int_row(*boundary, ibound->row(i));
    const std::span<float> row = z.row(i);
    gridkit::read_free_row(input, row);
    widen_with_row(range, i, row);
  }
  if (boundary) blank_inactive_cells(z, *ibound, range);

  gridkit::write_dsaa(grid, z, range.smallest, range.largest);
  grid.flush();
  con.stop();
}

}  // namespace

void run_tallowin(gridkit::Console& con, const std::filesystem::path& folder) {
  run(con, folder, true);
}

void run_tallowex(gridkit::Console& con, const std::filesystem::path& folder) {
  run(con, folder, false);
}

}  // namespace tallowin
