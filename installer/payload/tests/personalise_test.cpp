// Personalisation of an "f" image: where the marker is found and what is
// written, including owner texts cut to 30 characters and fields cut at the
// end of the image.
#include <gtest/gtest.h>

#include "installer/payload/copy_phase.hpp"

namespace payload {
namespace {

struct Write {
  std::size_t at;
  std::string bytes;  // written there, zeros included
};

struct Case {
  const char* what;
  std::string image;
  std::string owner;
  std::string firm;
  std::vector<Write> writes;  // none: the image stays unchanged
};

std::string tildes(std::size_t n) { return std::string(n, '~'); }
std::string dots(std::size_t n) { return std::string(n, '.'); }

TEST(Personalise, FirstRunOfExactlyThirtyOneTildesTakesTheFields) {
  using namespace std::string_literals;
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {"a 40-byte run is filled from its tenth byte", "ab" + tildes(40) + dots(70), "Ann", "Co",
       {{11, "\0"s}, {43, "Ann\0"s}, {75, "Co\0"s}}},
      {"a run of 30 is no marker", "ab" + tildes(30) + dots(70), "Ann", "Co", {}},
      {"a short run before the marker is passed over", tildes(30) + "." + tildes(31) + dots(70),
       "A", "B", {{31, "\0"s}, {63, "A\0"s}, {95, "B\0"s}}},
      {"a marker at the very end: the owner fields would lie past the image", "x" + tildes(31),
       "Ann", "Co", {{1, "\0"s}}},
      {"the firm field is cut at the end of the image", tildes(31) + dots(36), "Ann", "Firm",
       {{0, "\0"s}, {32, "Ann\0"s}, {64, "Fir"}}},
      {"the firm's zero falls just past the end", tildes(31) + dots(37), "", "Firm",
       {{0, "\0"s}, {32, "\0"s}, {64, "Firm"}}},
      {"owner texts longer than 30 characters are cut to 30", tildes(31) + dots(70),
       "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", "0123456789012345678901234567890123456789",
       {{0, "\0"s}, {32, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123\0"s},
        {64, "012345678901234567890123456789\0"s}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint8_t> image(c.image.begin(), c.image.end());
    std::string expected = c.image;
    for (const Write& w : c.writes) expected.replace(w.at, w.bytes.size(), w.bytes);
    EXPECT_EQ(personalise(image, c.owner, c.firm), !c.writes.empty());
    EXPECT_EQ(std::string(image.begin(), image.end()), expected);
  }
}

TEST(Personalise, LongRunsAreScannedInOnePass) {
  // A file of tildes only: the marker sits 31 bytes before its end.
  std::vector<std::uint8_t> image(2097152, '~');
  EXPECT_TRUE(personalise(image, "N", "F"));
  EXPECT_EQ(image[2097152 - 31], 0);
  EXPECT_EQ(image[2097152 - 32], '~');
}

}  // namespace
}  // namespace payload
