#include "tools/heron2/river_package.hpp"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

#include "gridkit/error.hpp"
#include "gridkit/numfmt.hpp"
#include "gridkit/numparse.hpp"

namespace heron2 {
namespace {

constexpr int kWide = 10;      // every field but the last
constexpr int kLastWidth = 7;  // the second trailing integer

// Columns [first, first + width) of a line counted from 1; the missing tail
// of a short line reads as blanks.
std::string_view columns(std::string_view line, int first, int width) {
  const std::size_t start = static_cast<std::size_t>(first - 1);
  if (start >= line.size()) return {};
  return line.substr(start, static_cast<std::size_t>(width));
}

std::string column_range(int first, int width) {
  return "columns " + std::to_string(first) + "-" + std::to_string(first + width - 1);
}

std::int32_t read_int(const gridkit::InFile& file, std::string_view line, int first, int width,
                      std::string_view what) {
  const std::string_view field = columns(line, first, width);
  const std::optional<long long> value = gridkit::parse_fixed_integer(field);
  if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
      *value > std::numeric_limits<std::int32_t>::max()) {
    throw gridkit::KitError::read(
        file.name(), file.line_number(),
        "expected the " + std::string(what) + " as an integer in " + column_range(first, width),
        field);
  }
  return static_cast<std::int32_t>(*value);
}

// A real field; one without a decimal point is a whole number.
float read_real(const gridkit::InFile& file, std::string_view line, int first,
                std::string_view what) {
  const std::string_view field = columns(line, first, kWide);
  const std::optional<float> value = gridkit::parse_fixed_float(field, 0);
  if (!value) {
    throw gridkit::KitError::read(
        file.name(), file.line_number(),
        "expected the " + std::string(what) + " as a number in " + column_range(first, kWide),
        field);
  }
  return *value;
}

}  // namespace

PackageHeader read_package_header(gridkit::InFile& file) {
  PackageHeader header;
  const std::string_view first = file.require_line();
  header.max_reaches = read_int(file, first, 1, kWide, "MXRIVR");
  header.budget_unit = read_int(file, first, 11, kWide, "IRIVCB");
  const std::string_view second = file.require_line();
  header.reach_count = read_int(file, second, 1, kWide, "ITMP");
  return header;
}

std::string header_line1(const PackageHeader& header) {
  return gridkit::format_int(header.max_reaches, kWide) +
         gridkit::format_int(header.budget_unit, kWide);
}

std::string header_line2(const PackageHeader& header) {
  return gridkit::format_int(header.reach_count, kWide);
}

PackageHeader header_for_records(const PackageHeader& read, std::int32_t records) {
  PackageHeader written = read;
  written.reach_count = records;
  written.max_reaches = std::max(read.max_reaches, records);
  return written;
}

std::optional<RiverRecord> read_package_record(gridkit::InFile& file) {
  const std::optional<std::string_view> line = file.next_line();
  if (!line) return std::nullopt;
  RiverRecord r;
  r.line = file.line_number();
  r.layer = read_int(file, *line, 1, kWide, "layer");
  r.cell.row = read_int(file, *line, 11, kWide, "row");
  r.cell.col = read_int(file, *line, 21, kWide, "column");
  r.stage = read_real(file, *line, 31, "stage");
  r.conductance = read_real(file, *line, 41, "conductance");
  r.bottom = read_real(file, *line, 51, "river bottom");
  r.iextra1 = read_int(file, *line, 61, kWide, "first trailing integer");
  r.iextra2 = read_int(file, *line, 71, kLastWidth, "second trailing integer");
  if (!gridkit::inside_grid(r.cell.row, r.cell.col)) {
    throw gridkit::KitError::read(file.name(), file.line_number(),
                                  "river cell (row " + std::to_string(r.cell.row) + ", column " +
                                      std::to_string(r.cell.col) + ") lies outside the grid of " +
                                      std::to_string(gridkit::NROW()) + " rows and " +
                                      std::to_string(gridkit::NCOL()) + " columns",
                                  *line);
  }
  return r;
}

PackageTail read_package_records(gridkit::InFile& file, RiverCells& cells) {
  PackageTail tail;
  while (const std::optional<RiverRecord> r = read_package_record(file)) {
    const int row = r->cell.row;
    const int col = r->cell.col;
    tail.layer = r->layer;
    tail.conductance = r->conductance;
    cells.stage(row, col) = r->stage;
    cells.bottom(row, col) = r->bottom;
    cells.iextra1(row, col) = r->iextra1;
    cells.iextra2(row, col) = r->iextra2;
    cells.river_flag(row, col) = 1;
  }
  return tail;
}

std::string river_record(std::int32_t layer, gridkit::Cell cell, float stage, float conductance,
                         float bottom, std::int32_t iextra1, std::int32_t iextra2) {
  return gridkit::format_int(layer, kWide) + gridkit::format_int(cell.row, kWide) +
         gridkit::format_int(cell.col, kWide) + gridkit::format_fixed(stage, kWide, 1) +
         gridkit::format_fixed(conductance, kWide, 5) + gridkit::format_fixed(bottom, kWide, 1) +
         gridkit::format_int(iextra1, kWide) + gridkit::format_int(iextra2, kLastWidth);
}

}  // namespace heron2
