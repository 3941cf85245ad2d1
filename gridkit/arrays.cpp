#include "gridkit/arrays.hpp"

#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "gridkit/error.hpp"
#include "gridkit/numfmt.hpp"
#include "gridkit/numparse.hpp"

namespace gridkit {

namespace {

// Field `k` of a fixed-column line; columns past the line's end are blanks.
std::string_view field_of(std::string_view line, int k, int width) {
  const std::size_t start = static_cast<std::size_t>(k) * static_cast<std::size_t>(width);
  if (start >= line.size()) return {};
  return line.substr(start, static_cast<std::size_t>(width));
}

// The longest fixed-column line the kit writes.
constexpr int kMaxLine = 80;

// Writes `row` as lines of `per_line` fixed-width fields, each line built
// in one buffer; `put` writes one field and returns its end.
template <class T, class Put>
void write_lines(OutFile& file, std::span<const T> row, int per_line, Put put) {
  char line[kMaxLine];
  char* end = line;
  for (std::size_t k = 0; k < row.size(); ++k) {
    end = put(end, row[k]);
    if ((k + 1) % static_cast<std::size_t>(per_line) == 0 || k + 1 == row.size()) {
      file.line(std::string_view(line, static_cast<std::size_t>(end - line)));
      end = line;
    }
  }
}

// A row of `per_line` fields of `width` columns; a field without a point
// takes `implied_decimals` places.
void read_fixed_fields_row(InFile& file, std::span<float> row, int per_line, int width,
                           int implied_decimals) {
  std::string_view line;
  for (std::size_t k = 0; k < row.size(); ++k) {
    const int on_line = static_cast<int>(k % static_cast<std::size_t>(per_line));
    if (on_line == 0) line = file.require_line();
    const std::string_view field = field_of(line, on_line, width);
    const std::optional<float> value = parse_fixed_float(field, implied_decimals);
    if (!value) {
      throw KitError::read(file.name(), file.line_number(),
                           "expected a number in columns " + std::to_string(on_line * width + 1) +
                               "-" + std::to_string(on_line * width + width),
                           field);
    }
    row[k] = *value;
  }
}

// A row of integers in free format; each must fit 32 bits.
void read_free_int_row(InFile& file, std::span<std::int32_t> row) {
  std::vector<long long> values(row.size());
  read_free(file, values);
  for (std::size_t k = 0; k < row.size(); ++k) {
    if (values[k] < std::numeric_limits<std::int32_t>::min() ||
        values[k] > std::numeric_limits<std::int32_t>::max())
      throw KitError::read(file.name(), file.line_number(), "integer out of range",
                           std::to_string(values[k]));
    row[k] = static_cast<std::int32_t>(values[k]);
  }
}

[[noreturn]] void wrong_kind(std::string_view kind, ArrayLayout layout) {
  throw std::invalid_argument(std::string(kind) + " array in the " + layout_name(layout) +
                              " layout");
}

}  // namespace

void read_int_row(InFile& file, std::span<std::int32_t> row) {
  std::string_view line;
  for (std::size_t k = 0; k < row.size(); ++k) {
    const int on_line = static_cast<int>(k % kIntPerLine);
    if (on_line == 0) line = file.require_line();
    const std::string_view field = field_of(line, on_line, kIntWidth);
    const std::optional<long long> value = parse_fixed_integer(field);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
      throw KitError::read(file.name(), file.line_number(),
                           "expected an integer in columns " +
                               std::to_string(on_line * kIntWidth + 1) + "-" +
                               std::to_string(on_line * kIntWidth + kIntWidth),
                           field);
    }
    row[k] = static_cast<std::int32_t>(*value);
  }
}

void write_int_row(OutFile& file, std::span<const std::int32_t> row) {
  static_assert(kIntPerLine * kIntWidth <= kMaxLine);
  write_lines(file, row, kIntPerLine,
              [](char* out, std::int32_t v) { return put_int(out, v, kIntWidth); });
}

void read_free_row(InFile& file, std::span<float> row) { read_free(file, row); }

void read_fixed_row(InFile& file, std::span<float> row) {
  read_fixed_fields_row(file, row, kFixedPerLine, kFixedWidth, kFixedDecimals);
}

void write_fixed_row(OutFile& file, std::span<const float> row) {
  static_assert(kFixedPerLine * kFixedWidth <= kMaxLine);
  write_lines(file, row, kFixedPerLine,
              [](char* out, float v) { return put_fixed(out, v, kFixedWidth, kFixedDecimals); });
}

void read_exp_row(InFile& file, std::span<float> row) {
  read_fixed_fields_row(file, row, kExpPerLine, kExpFieldWidth, kExpImpliedDecimals);
}

void write_exp_row(OutFile& file, std::span<const float> row) {
  static_assert(kExpPerLine * kExpFieldWidth <= kMaxLine);
  write_lines(file, row, kExpPerLine, [](char* out, float v) { return put_exp10(out, v); });
}

void read_grid(InFile& file, IntGrid& grid, ArrayLayout layout) {
  for (int i = 1; i <= grid.rows(); ++i) {
    switch (layout) {
      case ArrayLayout::Int: read_int_row(file, grid.row(i)); break;
      case ArrayLayout::Free: read_free_int_row(file, grid.row(i)); break;
      case ArrayLayout::Fixed:
      case ArrayLayout::Exp: wrong_kind("an integer", layout);
    }
  }
}

void read_grid(InFile& file, RealGrid& grid, ArrayLayout layout) {
  for (int i = 1; i <= grid.rows(); ++i) {
    switch (layout) {
      case ArrayLayout::Fixed: read_fixed_row(file, grid.row(i)); break;
      case ArrayLayout::Exp: read_exp_row(file, grid.row(i)); break;
      case ArrayLayout::Free: read_free_row(file, grid.row(i)); break;
      case ArrayLayout::Int: wrong_kind("a real", layout);
    }
  }
}

void write_grid(OutFile& file, const IntGrid& grid, ArrayLayout layout) {
  for (int i = 1; i <= grid.rows(); ++i) {
    switch (layout) {
      case ArrayLayout::Int: write_int_row(file, grid.row(i)); break;
      case ArrayLayout::Free: {
        Record record;
        for (const std::int32_t v : grid.row(i)) record.integer(v);
        file.write(record);
        break;
      }
      case ArrayLayout::Fixed:
      case ArrayLayout::Exp: wrong_kind("an integer", layout);
    }
  }
}

void write_grid(OutFile& file, const RealGrid& grid, ArrayLayout layout) {
  for (int i = 1; i <= grid.rows(); ++i) {
    switch (layout) {
      case ArrayLayout::Fixed: write_fixed_row(file, grid.row(i)); break;
      case ArrayLayout::Exp: write_exp_row(file, grid.row(i)); break;
      case ArrayLayout::Free: file.write(Record().reals(grid.row(i))); break;
      case ArrayLayout::Int: wrong_kind("a real", layout);
    }
  }
}

IntGrid read_int_grid(InFile& file) {
  IntGrid grid;
  read_grid(file, grid, ArrayLayout::Int);
  return grid;
}

RealGrid read_free_grid(InFile& file) {
  RealGrid grid;
  read_grid(file, grid, ArrayLayout::Free);
  return grid;
}

RealGrid read_fixed_grid(InFile& file) {
  RealGrid grid;
  read_grid(file, grid, ArrayLayout::Fixed);
  return grid;
}

void write_int_grid(OutFile& file, const IntGrid& grid) {
  write_grid(file, grid, ArrayLayout::Int);
}

void write_fixed_grid(OutFile& file, const RealGrid& grid) {
  write_grid(file, grid, ArrayLayout::Fixed);
}

}  // namespace gridkit
