// The decoder's and encoder's code tables against the format's published
// tables, transcribed independently in stream_builder.hpp.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "installer/dcl/codes.hpp"
#include "installer/dcl/tests/stream_builder.hpp"

namespace {

std::string reading_order(const dcl::Code& code) {
  std::string bits;
  for (unsigned i = 0; i < code.length; ++i) bits += ((code.bits >> i) & 1U) != 0 ? '1' : '0';
  return bits;
}

TEST(CodeTables, LengthCodesMatchThePublishedTable) {
  for (unsigned s = 0; s < 16; ++s) {
    EXPECT_EQ(reading_order(dcl::kLengthCodes[s]), dcl_test::kLengthRows[s].bits) << s;
    EXPECT_EQ(dcl::kLengthExtraBits[s], dcl_test::kLengthRows[s].extra) << s;
    EXPECT_EQ(dcl::kLengthBase[s], dcl_test::kLengthRows[s].base) << s;
  }
}

TEST(CodeTables, DistanceCodesMatchTheHandWorkedCodes) {
  EXPECT_EQ(reading_order(dcl::kDistanceCodes[0]), "11");
  EXPECT_EQ(reading_order(dcl::kDistanceCodes[1]), "1011");
  EXPECT_EQ(reading_order(dcl::kDistanceCodes[63]), "00000000");
  for (unsigned s = 0; s < 64; ++s) {
    EXPECT_EQ(reading_order(dcl::kDistanceCodes[s]), dcl_test::distance_bits(s)) << s;
  }
}

TEST(CodeTables, AsciiCodeLengthCounts) {
  std::map<unsigned, unsigned> counts;
  for (const dcl::Code& c : dcl::kAsciiCodes) ++counts[c.length];
  const std::map<unsigned, unsigned> expected = {{4, 1}, {5, 11}, {6, 20},  {7, 21},  {8, 16},
                                                 {9, 7}, {10, 5}, {11, 10}, {12, 91}, {13, 74}};
  EXPECT_EQ(counts, expected);
}

TEST(CodeTables, LookupTablesDecodeEveryCode) {
  // Each code, followed by any bits, must come back from the lookup tables
  // as its own symbol with its own length.
  for (unsigned s = 0; s < 16; ++s) {
    const dcl::Code c = dcl::kLengthCodes[s];
    for (unsigned rest = 0; rest < (256U >> c.length); ++rest) {
      const auto& e = dcl::kLengthTable[c.bits | (rest << c.length)];
      ASSERT_EQ(e.base, dcl::kLengthBase[s]);
      ASSERT_EQ(e.code_bits, c.length);
    }
  }
  for (unsigned b = 0; b < 256; ++b) {
    const dcl::Code c = dcl::kAsciiCodes[b];
    const std::uint32_t stream = c.bits | (0x5AU << c.length);  // code then other bits
    const auto& first = dcl::kAsciiTables.first[stream & 0xFF];
    if (first.subtable == 0) {
      EXPECT_EQ(first.value, b);
      EXPECT_EQ(first.code_bits, c.length);
    } else {
      ASSERT_GT(c.length, 8U);
      const auto& second =
          dcl::kAsciiTables
              .second[first.subtable][(stream >> 8) & ((1U << dcl::kAsciiSubBits) - 1)];
      EXPECT_EQ(second.value, b);
      EXPECT_EQ(second.code_bits + 8U, c.length);
    }
  }
}

}  // namespace
