// The console side of the dialogue: carriage control, answers, name fields.
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "gridkit/console.hpp"
#include "gridkit/error.hpp"

namespace gridkit {
namespace {

struct ConsoleFixture {
  explicit ConsoleFixture(const std::string& input) : in(input), con(in, out) {}
  std::istringstream in;
  std::ostringstream out;
  Console con;
};

TEST(Console, CarriageControlCharacterIsNotShown) {
  ConsoleFixture f("");
  f.con.show_record(" PLAIN");
  f.con.show_record("0AFTER A BLANK LINE");
  f.con.show_record("1NEW PAGE");
  f.con.show_record("+SAME LINE");
  f.con.show_record(" ");
  EXPECT_EQ(f.out.str(), "PLAIN\n\nAFTER A BLANK LINE\n\fNEW PAGE\nSAME LINE\n\n");
}

TEST(Console, PromptRecordLosesOnlyItsLeadingBlank) {
  ConsoleFixture f("");
  f.con.write(Record() << " ENTER THE NUMBER OF COLUMNS IN THE MODEL: ");
  f.con.write(Record() << "NSEG" << 12);
  EXPECT_EQ(f.out.str(), " ENTER THE NUMBER OF COLUMNS IN THE MODEL: \nNSEG         12\n");
}

TEST(Console, NameFieldsAreCutOrPaddedAndCarriageReturnsDropped) {
  ConsoleFixture f("ABCDEFGHIJKLMNO\r\nAB\n");
  EXPECT_EQ(f.con.read_field(12), "ABCDEFGHIJKL");
  EXPECT_EQ(f.con.read_field(12), "AB          ");
  EXPECT_THROW(f.con.read_field(12), KitError) << "end of input where an answer is expected";
  EXPECT_EQ(trim_blanks("   A B  "), "A B") << "blanks inside a name stay";
  EXPECT_EQ(trim_blanks("    "), "");
}

TEST(Console, ValuesMayShareALineOrSpanLines) {
  ConsoleFixture f("43.5,85.25\n44\n\n86 99\n7\n");
  double pair[2];
  f.con.read_values(pair);
  EXPECT_EQ(pair[0], 43.5);
  EXPECT_EQ(pair[1], 85.25);
  f.con.read_values(pair);
  EXPECT_EQ(pair[0], 44.0);
  EXPECT_EQ(pair[1], 86.0) << "an empty line holds no value; 99 is left with its line";
  long long n[1];
  f.con.read_values(n);
  EXPECT_EQ(n[0], 7);
}

TEST(Console, BadOrMissingValuesAreErrors) {
  ConsoleFixture bad("44 west\n");
  double pair[2];
  try {
    bad.con.read_values(pair);
    FAIL() << "no error";
  } catch (const KitError& e) {
    EXPECT_STREQ(e.what(), "read console line 1: expected a number, found \"west\"");
  }
  ConsoleFixture short_input("44\n");
  EXPECT_THROW(short_input.con.read_values(pair), KitError);
}

TEST(Console, BannerIsFiveFramedRecordsOfTwentyNineCharacters) {
  ConsoleFixture f("");
  f.con.banner("BRISKET");
  std::istringstream shown(f.out.str());
  std::string line;
  int count = 0;
  while (std::getline(shown, line)) {
    EXPECT_EQ(line.size(), 29u) << line;  // the record's own blank is the carriage control
    ++count;
  }
  EXPECT_EQ(count, 5);
  EXPECT_NE(f.out.str().find("*         BRISKET          *"), std::string::npos);
  ConsoleFixture g("");
  g.con.banner("QUARRYPIT");
  EXPECT_NE(g.out.str().find("*         QUARRYPIT        *"), std::string::npos)
      << "the name stands after nine blanks whatever its length";
}

}  // namespace
}  // namespace gridkit
