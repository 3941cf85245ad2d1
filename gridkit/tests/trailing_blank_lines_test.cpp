// Blank lines and white space after the last line of an input are not part
// of it: every reader gives the same result with or without them, whatever
// mix of blanks, tabs, carriage returns and line ends they hold.
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/arrays.hpp"
#include "gridkit/dsaa_reader.hpp"
#include "gridkit/error.hpp"
#include "gridkit/points.hpp"
#include "gridkit/textfile.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/scratch_folder.hpp"

namespace gridkit {
namespace {

// What a reader made of a text, as bytes to compare, or its error message.
using Reader = std::function<std::string(InFile&)>;

template <class T>
std::string bytes_of(const T* values, std::size_t count) {
  return std::string(reinterpret_cast<const char*>(values), count * sizeof(T));
}

std::string read_with(const Reader& reader, const std::string& text) {
  InFile file = InFile::from_text("IN.DAT", text);
  try {
    return reader(file);
  } catch (const KitError& e) {
    return std::string("error: ") + e.what();
  }
}

template <class Point, class Read>
Reader point_list(Read read) {
  return [read](InFile& f) {
    std::string all;
    while (const std::optional<Point> p = read(f)) all += bytes_of(&*p, 1);
    return all;
  };
}

// A grid file's text, written by the kit's writers.
template <class Write, class Grid>
std::string grid_text(Write write, const Grid& grid) {
  const kit_test::ScratchFolder folder;
  write(folder / "G", grid);
  return folder.read("G");
}

TEST(TrailingBlankLines, EveryReaderIgnoresThem) {
  const IntGrid ints = kit_test::make_int_grid([](int r, int c) { return (r * 7 + c) % 13 - 3; });
  const RealGrid reals =
      kit_test::make_grid(NROW(), NCOL(), [](int r, int c) { return 0.5f * r - 0.25f * c; });
  std::string dsaa = "DSAA\n3 2\n0 2\n0 1\n1 6\n1 2 3\n4 5 6";
  struct Case {
    const char* why;
    std::string text;
    Reader reader;
  };
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {"integer grid", grid_text(kit_test::write_int_grid, ints),
       [](InFile& f) { const IntGrid g = read_int_grid(f);
                       return bytes_of(&g(1, 1), NROW() * NCOL()); }},
      {"fixed real grid", grid_text(kit_test::write_fixed_grid, reals),
       [](InFile& f) { const RealGrid g = read_fixed_grid(f);
                       return bytes_of(&g(1, 1), NROW() * NCOL()); }},
      {"free real grid", grid_text([](auto p, auto& g) { kit_test::write_free_grid(p, g); }, reals),
       [](InFile& f) { const RealGrid g = read_free_grid(f);
                       return bytes_of(&g(1, 1), NROW() * NCOL()); }},
      {"points, double", "1 2 3\n4.5, 6 7\n8 9 10", point_list<PointD>(read_point_double)},
      {"points, single", "1 2 3\n4.5 6 7 extra\n", point_list<PointF>(read_point_single)},
      {"points, X and Y only", "1 2\n3 4 5", point_list<PointXY>(read_point_xy)},
      {"points ending in a bad line: the same error", "1 2 3\nx 4 5\n",
       point_list<PointD>(read_point_double)},
      {"Surfer grid, last line without a line end", dsaa,
       [](InFile& f) { const DsaaGrid g = read_dsaa(f); return bytes_of(g.z.data(), g.z.size()); }},
      {"a short grid: the same end-of-file error", "1 2 3\n",
       [](InFile& f) { const RealGrid g = read_free_grid(f); return bytes_of(&g(1, 1), 1); }},
  };
  // clang-format on
  std::mt19937 random(20);
  const char kWhite[] = {' ', '\t', '\r', '\n', '\n', '\f'};
  for (const Case& c : cases) {
    const std::string plain = read_with(c.reader, c.text);
    for (int trial = 0; trial < 40; ++trial) {
      std::string tail = trial == 0 ? "\n" : "";  // the one blank line HERON2 once stopped on
      const int length = static_cast<int>(random() % 12);
      for (int k = 0; k < length; ++k) tail += kWhite[random() % sizeof kWhite];
      // Trailing blanks on the last line itself are part of that line.
      const std::string with_tail = (c.text.ends_with('\n') ? c.text : c.text + "\n") + tail;
      ASSERT_EQ(read_with(c.reader, with_tail), plain)
          << c.why << ", tail of " << tail.size() << " bytes";
    }
  }
}

}  // namespace
}  // namespace gridkit
