// Maps that once came out wrong with "wrote": a title that is not UTF-8 (a
// white sheet), a drawing error, Surfer's blanked nodes taken for levels, and
// an interval too fine to draw.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>

#include "gridkit/error.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/scratch_folder.hpp"
#include "tools/kitmap/canvas.hpp"
#include "tools/kitmap/kitmap.hpp"
#include "tools/kitmap/maps.hpp"
#include "tools/kitmap/palette.hpp"
#include "tools/kitmap/utf8_text.hpp"

namespace kitmap {
namespace {

namespace fs = std::filesystem;
using gridkit::NCOL;
using gridkit::NROW;

TEST(Utf8Text, EachByteThatIsNotUtf8BecomesTheReplacementCharacter) {
  const std::string r = "\xEF\xBF\xBD";
  const struct {
    const char* why;
    std::string text;
    std::string drawn;
  } cases[] = {
      {"plain ASCII", "Zone array ZONES.BOL", "Zone array ZONES.BOL"},
      {"two-, three- and four-byte characters", "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
       "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"a Latin-1 byte", "Sch\xF6nberg", "Sch" + r + "nberg"},
      {"a character cut short", "A\xE2\x82", "A" + r + r},
      {"a stray continuation byte", "\x80x", r + "x"},
      {"an overlong slash", "\xC0\xAF", r + r},
      {"a surrogate", "\xED\xA0\x80", r + r + r},
      {"past U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
  };
  for (const auto& c : cases) EXPECT_EQ(valid_utf8(c.text), c.drawn) << c.why;
}

std::string run_kitmap_in(const kit_test::ScratchFolder& dir,
                          const std::vector<std::string>& args) {
  std::ostringstream out;
  run_kitmap(args, dir.path(), out);
  return out.str();
}

// A title with a byte that is not UTF-8 put Cairo into an error state: the
// map came out white. Now the byte is drawn as U+FFFD, and so is one in a file
// name that makes the default title.
TEST(KitmapFaults, TitleThatIsNotUtf8IsDrawnWithReplacementCharacters) {
  const kit_test::ScratchFolder dir;
  kit_test::write_int_grid(dir / "Z\xFF.BOL", gridkit::IntGrid(NROW(), NCOL(), 1));
  run_kitmap_in(dir, {"zones", "Z\xFF.BOL", "latin1.png", "--cell", "1", "--title", "Zone \xFF"});
  run_kitmap_in(dir,
                {"zones", "Z\xFF.BOL", "fffd.png", "--cell", "1", "--title", "Zone \xEF\xBF\xBD"});
  run_kitmap_in(dir, {"zones", "Z\xFF.BOL", "none.png", "--cell", "1", "--title", "Zone "});
  EXPECT_EQ(dir.read("latin1.png"), dir.read("fffd.png"));
  EXPECT_NE(dir.read("latin1.png"), dir.read("none.png"));
  EXPECT_NE(run_kitmap_in(dir, {"zones", "Z\xFF.BOL", "named.png"}).find("wrote named.png"),
            std::string::npos);
}

TEST(KitmapFaults, DrawingErrorIsAnErrorAndNoSheetIsWritten) {
  const kit_test::ScratchFolder dir;
  Canvas canvas(Layout{}, "Title");
  cairo_scale(canvas.cr(), 0, 0);  // a matrix that cannot be inverted
  try {
    canvas.write_png(dir / "M.png", "M.png");
    ADD_FAILURE() << "written";
  } catch (const gridkit::KitError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("write M.png: the map could not be drawn: ", 0), 0u)
        << e.what();
  }
  EXPECT_FALSE(fs::exists(dir / "M.png"));
}

// Surfer writes 1.70141e38 on nodes it has blanked; such a node once set the
// top of the colour scale (every level fell in the lowest band).
TEST(KitmapFaults, SurferBlankedNodesHaveNoDataAndStayOutOfTheScale) {
  gridkit::RealGrid levels = kit_test::make_grid(
      NROW(), NCOL(), [](int r, int) { return 400.0f + static_cast<float>(r % 200); });
  const gridkit::IntGrid ibound(NROW(), NCOL(), 1);
  const Bands plain = level_bands(levels, ibound, 0);
  levels(100, 100) = 1.70141e38f;
  levels(101, 100) = 3.0e38f;
  const Bands blanked = level_bands(levels, ibound, 0);
  EXPECT_EQ(blanked.lo, plain.lo);
  EXPECT_EQ(blanked.interval, plain.interval);
  EXPECT_EQ(blanked.count, plain.count);

  const kit_test::ScratchFolder dir;
  const Layout layout = draw_levels_map(levels, ibound, {1, "", 0, {}}, dir / "L.png", "L.png");
  cairo_surface_t* png = cairo_image_surface_create_from_png((dir / "L.png").c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  const auto pixel = [&](int x, int y) {
    const unsigned char* p =
        cairo_image_surface_get_data(png) + y * cairo_image_surface_get_stride(png) + x * 4;
    const auto word = *reinterpret_cast<const std::uint32_t*>(p);
    return Rgb{static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 8),
               static_cast<std::uint8_t>(word)};
  };
  EXPECT_EQ(pixel(layout.cell_left(100), layout.cell_top(100)), kNoData);
  EXPECT_EQ(pixel(layout.cell_left(100), layout.cell_top(101)), kNoData);
  // The legend's last swatch, after the bands, constant head and inactive.
  EXPECT_EQ(pixel(layout.legend_left() + 5, layout.swatch_top(blanked.count + 2) + 5), kNoData);
  cairo_surface_destroy(png);
}

// An interval too fine was silently cut to 40 bands, leaving the values above
// them in the last band; up to 64 are drawn, and more are refused.
TEST(KitmapFaults, AnIntervalGivingMoreThan64BandsIsRefusedNamingTheCount) {
  const struct {
    double min, max, interval;
    int count;          // bands drawn
    const char* error;  // or the refusal
  } cases[] = {
      {0, 50, 1, 51, ""},
      {0, 63.5, 1, 64, ""},
      {0, 64, 1, 0, "kitmap: an interval of 1 gives 65 bands over 0 to 64; at most 64 are drawn"},
      {440, 790, 0.001, 0, "kitmap: an interval of 0.001 gives 350001 bands"},
      {0, 1e30, 1e-30, 0, "kitmap: an interval of 1e-30 gives 1e+60 bands"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    try {
      const Bands bands = choose_bands(c.min, c.max, c.interval, 10, kLevelRamp);
      EXPECT_EQ(bands.count, c.count);
      EXPECT_STREQ(c.error, "");
    } catch (const gridkit::KitError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.error, 0), 0u) << e.what();
      EXPECT_NE(std::string(c.error), "");
    }
  }
}

}  // namespace
}  // namespace kitmap
