// The dialogue's file questions: how an answer becomes a name, and how the
// outputs named by one base name are created and settled.
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "gridkit/dialogue.hpp"
#include "gridkit/error.hpp"
#include "gridkit/notes.hpp"
#include "tests/support/scratch_folder.hpp"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

// The shared scratch folder, listed with each file's content, so that one
// comparison shows which files a run left and what they hold.
class Folder : public kit_test::ScratchFolder {
 public:
  // Every entry, sorted, as "NAME=content;" or "NAME/;" for a folder.
  std::string listing() const {
    std::string text;
    for (const std::string& name : ScratchFolder::listing())
      text += std::filesystem::is_directory(path() / name) ? name + "/;"
                                                           : name + "=" + read(name) + ";";
    return text;
  }
};

constexpr const char* kRetry = "File name missing or blank - please enter file name\n";

TEST(Dialogue, AnswerBecomesANameOrABase) {
  using Question = std::function<std::string(Console&)>;
  const Record prompt = Record().text("NAME?");
  const Question name40 = [&](Console& con) { return ask_name(con, prompt, 40, 12); };
  const Question name12 = [&](Console& con) { return ask_name(con, prompt, 12, 10); };
  const Question base8 = [&](Console& con) { return ask_base(con, prompt, 8, 14); };
  const Question base8_of_12 = [&](Console& con) { return ask_base(con, prompt, 12, 8, 10); };
  const std::string field12_note =
      "the answer \"ABCDEFGHIJKLMNO\" is longer than its 12-character field; \"ABCDEFGHIJKL\" is "
      "used\n";
  struct Case {
    const char* why;
    const Question* question;
    std::string answers;
    std::string name;
    std::string transcript;  // after the prompt
    std::string notes;
  };
  const Case cases[] = {
      {"blank answers are asked again, naming the unit", &name40, "\n   \n  RIVER.DAT  \n",
       "RIVER.DAT", std::string(kRetry) + "UNIT 12? \n" + kRetry + "UNIT 12? \n", ""},
      {"blanks inside a name stay", &name40, "BOT 1\n", "BOT 1", "", ""},
      {"a name cut to its field is noted", &name12, "ABCDEFGHIJKLMNO\n", "ABCDEFGHIJKL", "",
       field12_note},
      {"a blank base is asked again, as a blank name is", &base8, "   \nWLEVEL\n", "WLEVEL",
       std::string(kRetry) + "UNIT 14? \n", ""},
      {"a base whose characters are blank is asked again, without a note", &base8_of_12,
       "         ZZZ\nBASIN\n", "BASIN", std::string(kRetry) + "UNIT 10? \n", ""},
      {"a base longer than its field", &base8, "  WLEVEL99\n", "WLEVEL", "",
       "the answer \"WLEVEL99\" is longer than its 8-character field; \"WLEVEL\" is used\n"},
      {"both cuts, both notes", &base8_of_12, "ABCDEFGHIJKLMNO\n", "ABCDEFGH", "",
       field12_note + "the answer \"ABCDEFGHIJKL\" is longer than the 8-character base name; "
                      "\"ABCDEFGH\" is used\n"},
      {"what follows the base in its field is cut off and noted", &base8_of_12, "BASIN.xyz\n",
       "BASIN.xy", "",
       "the answer \"BASIN.xyz\" is longer than the 8-character base name; \"BASIN.xy\" is used\n"},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.answers);
    std::ostringstream out;
    Console con(in, out);
    const NoteCapture notes;
    EXPECT_EQ((*c.question)(con), c.name) << c.why;
    EXPECT_EQ(out.str(), "NAME?\n" + c.transcript) << c.why;
    EXPECT_EQ(notes.text(), c.notes) << c.why;
  }
  std::istringstream in("\n");
  std::ostringstream out;
  Console con(in, out);
  EXPECT_THROW(name40(con), KitError) << "the end of input while a name is still blank";
}

TEST(Dialogue, AskOutputCreatesTheSetUnderTheTemporaryFileRules) {
  Folder folder;
  folder.write("RIV.KH", "OLD\n");
  std::istringstream in("\n RIV\n");
  std::ostringstream out;
  Console con(in, out);
  {
    auto [kh, kv] =
        ask_output(con, folder.path(), Record().text("OUTPUT?"), 40, 10, {".KH", ".KV"});
    EXPECT_EQ(out.str(), std::string("OUTPUT?\n") + kRetry + "UNIT 10? \n");
    EXPECT_EQ(kh.name(), "RIV.KH");
    EXPECT_EQ(kv.name(), "RIV.KV");
    kh.line("KH");
    kv.line("KV");
    EXPECT_EQ(folder.read("RIV.KH"), "OLD\n") << "replaced before the run closes it";
    EXPECT_FALSE(fs::exists(folder.path() / "RIV.KV"));
  }
  EXPECT_EQ(folder.listing(), "RIV.KH=KH\n;RIV.KV=KV\n;") << "no temporary is left";
}

// A run that stops with the outputs open: what each leaves, when "RIV.KH"
// held "OLD" before.
TEST(Dialogue, OutputsOfARunThatStops) {
  struct Case {
    const char* why;
    std::string answers;
    bool kv_is_a_folder;
    bool write_kh;
    std::string left;
  };
  const Case cases[] = {
      {"stopped before writing: nothing created, the old file as it was", "RIV\n", false, false,
       "RIV.KH=OLD\n;"},
      {"stopped after writing over an earlier file: that file stays, the other is discarded",
       "RIV\n", false, true, "RIV.KH=OLD\n;"},
      {"the second output cannot be created: the first goes with it", "RIV\n", true, false,
       "RIV.KH=OLD\n;RIV.KV/;"},
      {"the answer never came: nothing created", "\n", false, false, "RIV.KH=OLD\n;"},
  };
  for (const Case& c : cases) {
    Folder folder;
    folder.write("RIV.KH", "OLD\n");
    if (c.kv_is_a_folder) fs::create_directory(folder.path() / "RIV.KV");
    std::istringstream in(c.answers);
    std::ostringstream out;
    Console con(in, out);
    try {
      auto [kh, kv] =
          ask_output(con, folder.path(), Record().text("OUTPUT?"), 40, 10, {".KH", ".KV"});
      if (c.write_kh) kh.line("KH");
      con.read_line();  // the next question finds the end of input
      ADD_FAILURE() << c.why << ": the run did not stop";
    } catch (const KitError&) {
    }
    EXPECT_EQ(folder.listing(), c.left) << c.why;
  }
}

}  // namespace
}  // namespace gridkit
