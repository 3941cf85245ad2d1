#include "gridkit/free_arrays.hpp"

#include <charconv>
#include <string_view>

#include "gridkit/numfmt.hpp"

namespace gridkit {
namespace {

constexpr int kPerLine = 10;
// Room for one line: 10 values of at most 15 characters and their blanks.
constexpr int kLineRoom = kPerLine * 16;

template <class T, class Put>
void write_rows(OutFile& file, const GridArray<T>& grid, Put put) {
  char line[kLineRoom];
  for (int row = 1; row <= grid.rows(); ++row) {
    const std::span<const T> values = grid.row(row);
    char* end = line;
    for (std::size_t k = 0; k < values.size(); ++k) {
      if (end != line) *end++ = ' ';
      end = put(end, values[k]);
      if ((k + 1) % kPerLine == 0 || k + 1 == values.size()) {
        file.line(std::string_view(line, static_cast<std::size_t>(end - line)));
        end = line;
      }
    }
  }
}

}  // namespace

void write_free_grid(OutFile& file, const RealGrid& grid) { write_rows(file, grid, put_shortest); }

void write_free_grid(OutFile& file, const IntGrid& grid) {
  write_rows(file, grid,
             [](char* out, std::int32_t v) { return std::to_chars(out, out + 12, v).ptr; });
}

}  // namespace gridkit
