// kitmap in-process: argument and file errors, a small map checked pixel by pixel.
#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "gridkit/arrays.hpp"
#include "gridkit/error.hpp"
#include "tests/support/scratch_folder.hpp"
#include "tools/kitmap/kitmap.hpp"
#include "tools/kitmap/maps.hpp"
#include "tools/kitmap/palette.hpp"

namespace {

namespace fs = std::filesystem;

std::string run_error(const std::vector<std::string>& args, const fs::path& dir) {
  std::ostringstream out;
  try {
    kitmap::run_kitmap(args, dir, out);
  } catch (const gridkit::KitError& e) {
    return e.what();
  }
  return "";
}

TEST(Kitmap, BadArgumentsAndFilesAreOneLineErrors) {
  const kit_test::ScratchFolder dir;
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "no map given"},
      {{"contours", "A", "B"}, "unknown map \"contours\""},
      {{"zones", "Z.BOL"}, "expected 2 file names, got 1"},
      {{"zones", "Z.BOL", "Z.png", "--cell", "9"}, "--cell takes 1 to 8"},
      {{"zones", "Z.BOL", "Z.png", "--interval", "-2"}, "--interval takes a number above 0"},
      {{"zones", "NOSUCH.BOL", "Z.png"}, "open NOSUCH.BOL: no such file"},
  };
  for (const auto& [args, message] : cases) {
    const std::string error = run_error(args, dir.path());
    EXPECT_NE(error.find(message), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(dir / "Z.png"));
  std::ostringstream help;
  kitmap::run_kitmap({"--help"}, dir.path(), help);
  EXPECT_NE(help.str().find("kitmap levels GRID.GRD IBOUND OUT.png"), std::string::npos);
}

TEST(Kitmap, ZoneMapHasItsStatedSizeAndTheLegendsColours) {
  const kit_test::ScratchFolder dir;
  gridkit::IntGrid zones;
  for (int i = 100; i <= 200; ++i)
    for (int j = 50; j <= 150; ++j) zones(i, j) = i < 150 ? 1 : 7;
  zones(300, 300) = -1;
  const kitmap::Layout layout =
      kitmap::draw_zones_map(zones, {1, "", 0, {}}, dir / "Z.png", "Z.png");
  cairo_surface_t* png = cairo_image_surface_create_from_png((dir / "Z.png").c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png), layout.width());
  EXPECT_EQ(cairo_image_surface_get_height(png), layout.height());
  const auto pixel = [&](int x, int y) {
    const unsigned char* p =
        cairo_image_surface_get_data(png) + y * cairo_image_surface_get_stride(png) + x * 4;
    const auto word = *reinterpret_cast<const std::uint32_t*>(p);
    return kitmap::Rgb{static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 8),
                       static_cast<std::uint8_t>(word)};
  };
  const auto swatch = [&](int k) {
    return pixel(layout.legend_left() + kitmap::Layout::kSwatchWidth / 2,
                 layout.swatch_top(k) + kitmap::Layout::kSwatchHeight / 2);
  };
  // Legend from the lowest value: -1, 0, 1, 7.
  const struct {
    int row, col, legend;
  } cells[] = {{300, 300, 0}, {1, 1, 1}, {120, 60, 2}, {180, 140, 3}};
  for (const auto& c : cells) {
    const kitmap::Rgb at = pixel(layout.cell_left(c.col), layout.cell_top(c.row));
    EXPECT_EQ(at, kitmap::zone_colour(zones(c.row, c.col)));
    EXPECT_EQ(at, swatch(c.legend));
  }
  cairo_surface_destroy(png);
}

// On a grid of the modeller's own (GRID.toml in the folder) the sheet is
// sized from its columns and rows, the rivers map reads one order file for
// every 123 columns, and a sheet too large to draw is refused.
TEST(Kitmap, MapsFollowTheGridOfTheFolder) {
  struct Case {
    const char* why;
    int columns, rows;
    int order_files;  // how many of R.OR1, R.OR2, ... to write
    const char* cell;
    const char* expected;  // in the report, or in the error
  };
  const Case cases[] = {
      {"97 columns: one order file", 97, 5, 1, "2", "wrote R.png (498 x 130 pixels)"},
      {"130 columns: two, of 123 and 7", 130, 2, 2, "1", "wrote R.png (434 x 122 pixels)"},
      {"one column", 1, 4, 1, "3", "wrote R.png (307 x 132 pixels)"},
      {"the second order file missing", 130, 2, 1, "1", "open R.OR2: no such file"},
      {"a sheet wider than Cairo draws", 5000, 1, 41, "8",
       "the map would be 40304 x 128 pixels, more than"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const kit_test::ScratchFolder dir;
    dir.write("GRID.toml", "columns = " + std::to_string(c.columns) +
                               "\nrows = " + std::to_string(c.rows) +
                               "\ncell_size = 100\nfirst_node = [400050, 300050]\n");
    std::string ibound;  // all active, 25 values of 3 columns a line
    for (int i = 0; i < c.rows; ++i)
      for (int j = 0; j < c.columns; j += 25) {
        for (int k = 0; k < std::min(25, c.columns - j); ++k) ibound += "  1";
        ibound += "\n";
      }
    dir.write("IB.ARR", ibound);
    for (int part = 0; part < c.order_files; ++part) {
      const int width = std::min(123, c.columns - 123 * part);
      std::string lines;
      for (int i = 0; i < c.rows; ++i)
        lines += std::string(static_cast<std::size_t>(width) - 1, '0') + "2\n";
      dir.write("R.OR" + std::to_string(part + 1), lines);
    }
    std::ostringstream out;
    std::string said;
    try {
      kitmap::run_kitmap({"rivers", "R", "IB.ARR", "R.png", "--cell", c.cell}, dir.path(), out);
      said = out.str();
    } catch (const gridkit::KitError& e) {
      said = e.what();
    }
    EXPECT_NE(said.find(c.expected), std::string::npos) << said;
  }
}

// The font caches go at the end of the run, as kitmap's main frees them.
class FontCaches : public testing::Environment {
 public:
  void TearDown() override { kitmap::release_font_caches(); }
};
const testing::Environment* const kFontCaches = testing::AddGlobalTestEnvironment(new FontCaches);

}  // namespace
