// Free-format output records: item spacing and wrapping at the 79-character room.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/record.hpp"

namespace gridkit {
namespace {

TEST(Record, IntegerAndTwoRealsMakeFortyFourCharacters) {
  const Record r = Record() << 361 << 290568.0f << 650568.0f;
  ASSERT_EQ(r.lines().size(), 1u);
  EXPECT_EQ(r.lines()[0], "         361   290568.000000   650568.000000");
  EXPECT_EQ(r.lines()[0].size(), 44u);
}

TEST(Record, TextThenNumberHasNoSeparatingBlank) {
  const Record r = Record() << "ITERATIONS COMPLETED" << 101;
  EXPECT_EQ(r.lines()[0], " ITERATIONS COMPLETED        101");
  const Record s = Record() << 5 << "X" << 6;
  EXPECT_EQ(s.lines()[0], "           5X          6");
}

TEST(Record, SixIntegersOrFourRealsToARecord) {
  Record ints;
  for (int k = 1; k <= 13; ++k) ints << k;
  ASSERT_EQ(ints.lines().size(), 3u);
  EXPECT_EQ(ints.lines()[0].size(), 1u + 11 + 5 * 12);
  EXPECT_EQ(ints.lines()[1], std::string(" ") + "          7" + "           8" + "           9" +
                                 "          10" + "          11" + "          12");
  EXPECT_EQ(ints.lines()[2], "          13");

  const std::vector<float> values(361, 1.5f);
  const Record reals = Record().reals(values);
  ASSERT_EQ(reals.lines().size(), 91u);
  for (std::size_t k = 0; k < 90; ++k) EXPECT_EQ(reals.lines()[k].size(), 64u) << k;
  EXPECT_EQ(reals.lines()[90], "        1.500000");
}

TEST(Record, LongTextFillsTheRoomAndContinuesAfterABlank) {
  const Record r = Record() << "DO YOU WANT TO OPEN ANOTHER CLOSED-CURVE CRSTM-XYZ"
                            << " INPUT FILENAME (Y,y or N,n) : ";
  ASSERT_EQ(r.lines().size(), 2u);
  EXPECT_EQ(r.lines()[0],
            " DO YOU WANT TO OPEN ANOTHER CLOSED-CURVE CRSTM-XYZ INPUT FILENAME (Y,y or N,n) ");
  EXPECT_EQ(r.lines()[1], " : ");

  const std::string long_text(200, 'A');
  const Record l = Record() << long_text;
  ASSERT_EQ(l.lines().size(), 3u);
  EXPECT_EQ(l.lines()[0], " " + std::string(79, 'A'));
  EXPECT_EQ(l.lines()[1], " " + std::string(79, 'A'));
  EXPECT_EQ(l.lines()[2], " " + std::string(42, 'A'));
}

TEST(Record, TextThatExactlyFillsTheRoomEndsTheRecord) {
  const Record r = Record() << std::string(79, 'B');
  ASSERT_EQ(r.lines().size(), 1u) << "no empty record is left behind";
  const Record s = Record() << std::string(79, 'B') << 7;
  ASSERT_EQ(s.lines().size(), 2u);
  EXPECT_EQ(s.lines()[1], "           7");
}

TEST(Record, NumberAfterLongTextStartsANewRecord) {
  const Record r = Record() << std::string(70, 'C') << 42;
  ASSERT_EQ(r.lines().size(), 2u);
  EXPECT_EQ(r.lines()[0], " " + std::string(70, 'C'));
  EXPECT_EQ(r.lines()[1], "         42") << "the field's own padding opens the record";
}

TEST(Record, EmptyStatementIsOneBlankRecord) {
  const Record r;
  ASSERT_EQ(r.lines().size(), 1u);
  EXPECT_EQ(r.lines()[0], " ");
}

TEST(Record, DoubleRealsTakeTwentyFiveCharactersEach) {
  const Record r = Record() << 420622.0708 << 289659.3082;
  EXPECT_EQ(r.lines()[0].size(), 1u + 24 + 25);
}

}  // namespace
}  // namespace gridkit
