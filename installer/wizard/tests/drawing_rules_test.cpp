// The wizard's portable drawing rules: colour table, backdrop rows, box
// and page placement, numbered texts. The Windows program draws with these;
// its pixels are checked again on screen by the Wine run.
#include <gtest/gtest.h>

#include "installer/wizard/colours.hpp"
#include "installer/wizard/geometry.hpp"
#include "installer/wizard/text_table.hpp"

namespace wizard {
namespace {

TEST(Colours, FixedAndGradientEntries) {
  ColourTable table;
  table.set_system_colours({192, 192, 192}, {1, 2, 3}, {128, 128, 128});
  // One case a row, laid out by hand.
  // clang-format off
  const struct { int number; Rgb rgb; } cases[] = {
      {0, {0, 0, 0}},        {3, {0, 0, 255}},      {7, {175, 0, 255}}, {13, {0, 104, 56}},
      {15, {255, 255, 255}}, {16, {192, 192, 192}}, {17, {1, 2, 3}},    {19, {128, 128, 128}},
      {128, {38, 44, 255}},  {255, {0, 0, 2}},
      // c = 64: (38*64+64)/128 = 19, (44*64+64)/128 = 22, (255*64+64)/128 = 128.
      {192, {19, 22, 128}},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(table[c.number], c.rgb) << "colour " << c.number;
  EXPECT_EQ(ColourTable::palette_number(19), 19);
  EXPECT_EQ(ColourTable::palette_number(20), 128);
  EXPECT_EQ(ColourTable::palette_number(kPaletteEntries - 1), 255);
}

TEST(Colours, BackdropRowsRoundHalfToEvenAndStopAt255) {
  // One case a row, laid out by hand.
  // clang-format off
  const struct { int row, height, number; } cases[] = {
      {0,   400, 128},
      {2,   256, 129},  // exactly 1
      {1,   512, 128},  // 0.25 rounds down
      {3,   512, 129},  // 0.75 rounds up
      {1,   256, 128},  // 0.5 ties to even 0
      {3,   256, 130},  // 1.5 ties to even 2
      {5,   256, 130},  // 2.5 ties to even 2
      {255, 256, 255},  // last row of a 256-row area
      {399, 400, 255},  // would round to 256 on a taller area: held at 255
      {767, 768, 255},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(backdrop_colour_number(c.row, c.height), c.number)
        << "row " << c.row << " of " << c.height;
  }
}

TEST(Geometry, ProgressBoxAndPageCentring) {
  EXPECT_EQ(progress_box({0, 0, 1023, 747}), (Rect{351, 331, 671, 415}));
  EXPECT_EQ(progress_box({0, 0, 320, 84}), (Rect{0, 0, 320, 84}));
  // A client area narrower than the box: signed halves keep it centred.
  EXPECT_EQ(progress_box({0, 0, 199, 49}), (Rect{-60, -17, 260, 67}));
  EXPECT_EQ(centred_page({30, 30, 530, 430}, 400, 300), (Point{80, 80}));
  EXPECT_EQ(centred_page({0, 0, 200, 100}, 400, 300), (Point{0, 0}));
}

TEST(TextTable, NumbersModulePathAndTextAddresses) {
  TextTable table;
  table.set_module_path("C:\\disks\\one\\SETUP.EXE");
  EXPECT_STREQ(table.text(3), "Quorvane Setup");
  EXPECT_STREQ(table.text(20), "Status");
  EXPECT_STREQ(table.text(21), "Installing file:");
  EXPECT_STREQ(table.text(22), "Loading install data:");
  EXPECT_STREQ(table.text(15), "C:\\disks\\one\\");
  EXPECT_STREQ(table.text(16), "C:\\disks\\one\\SETUP.EXE");
  for (unsigned bad : {0u, 1u, 2u, 23u, 24u, 60000u})
    EXPECT_STREQ(table.text(bad), "*BadRscID*") << bad;
  const char* own = "typed";
  EXPECT_EQ(table.resolve(reinterpret_cast<std::uintptr_t>(own)), own);
  EXPECT_STREQ(table.resolve(21), "Installing file:");
  EXPECT_EQ(source_folder_of("A:SETUP.EXE"), "A:");
  EXPECT_EQ(source_folder_of("SETUP.EXE"), "");
}

}  // namespace
}  // namespace wizard
