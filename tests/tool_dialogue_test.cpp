// The dialogue's file questions and the rules for files, checked on every
// console tool run in-process against one table of small generated models:
//
//  - a missing input is an open error and is never created, and no output
//    appears;
//  - a run that stops before writing (an unreadable input, the console
//    failing) leaves every output of an earlier run as it was and no
//    temporary file behind;
//  - an input named like an output of the same run is read as it was before
//    the run: the outputs are those of a run with the input named apart;
//  - what was written before a failure is kept where no file stood, and an
//    earlier file of the name is never replaced by it;
//  - a blank name is asked again, and only the first characters of an answer
//    longer than its field name the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/grid_files.hpp"
#include "tests/support/tool_runs.hpp"
#include "tools/brisket/brisket.hpp"
#include "tools/corbella/corbella.hpp"
#include "tools/heron2/heron2.hpp"
#include "tools/lanterns/lanterns.hpp"
#include "tools/layorder/layorder.hpp"
#include "tools/pinchlay/pinchlay.hpp"
#include "tools/plover/plover.hpp"
#include "tools/quarrypit/quarrypit.hpp"
#include "tools/tallowin/tallowin.hpp"

namespace {

using gridkit::NCOL;
using gridkit::NROW;
using kit_test::ScratchFolder;

const std::string kEarlier = "results of an earlier run\n";
const std::string kRetry = "File name missing or blank - please enter file name\n";

// Every input any row names, written once and copied where a row needs it.
const ScratchFolder& inputs() {
  static const ScratchFolder folder;
  static const bool written = [] {
    const auto fixed = [](float value) {
      return kit_test::make_grid(
          NROW(), NCOL(), [value](int, int c) { return value + 0.1f * static_cast<float>(c % 7); });
    };
    for (const char* name : {"IB.ARR", "PINCH.IBD", "OPER.IBD"})
      kit_test::write_int_grid(folder / name, gridkit::IntGrid(NROW(), NCOL(), 1));
    kit_test::write_int_grid(folder / "HELD.ARR", gridkit::IntGrid(NROW(), NCOL(), 0));
    kit_test::write_free_grid(folder / "IN.DAT",
                              kit_test::make_grid(NROW(), NCOL(), [](int r, int) {
                                return 1.5f + static_cast<float>(r % 5);
                              }));
    kit_test::write_fixed_grid(folder / "GRID.DAT", fixed(40.0f));
    kit_test::write_fixed_grid(folder / "UNCONF.ARR", fixed(50.0f));
    for (int k = 1; k <= 4; ++k) {
      kit_test::write_fixed_grid(folder / ("T" + std::to_string(k) + ".DAT"),
                                 fixed(110.0f - 10.0f * k));
      kit_test::write_fixed_grid(folder / ("B" + std::to_string(k) + ".DAT"),
                                 fixed(105.0f - 10.0f * k));
    }
    folder.write("PTS.XYZ", "300000 500000 10\n310000 510000 20\n320500 480200 15\n");
    folder.write("CURVE.XYZ",
                 "300500 500500 0\n305500 500500 0\n305500 505500 0\n300500 505500 0\n");
    folder.write("DIG.xyz", "1000 2000 5\n1500 2500 6\n");
    // One straight line of three river cells.
    folder.write("RIV.DAT",
                 "         5         0\n         3\n"
                 "         1        10        10      90.0       9.5      90.0         0      0\n"
                 "         1        10        11      89.0       9.5      90.0         0      0\n"
                 "         1        10        12      88.0       9.5      90.0         0      0\n");
    for (const char* name : {"SANDH.ARR", "SANDV.ARR"})
      folder.write(name, "    10.000    10.000\n    10.000    10.000\n");
    for (const char* name : {"CLAYH.ARR", "CLAYV.ARR"})
      folder.write(name, "     0.100     0.100\n     0.100     0.100\n");
    folder.write("PRCS.ARR", "    50.0    20.0\n   100.0     0.0\n");
    return true;
  }();
  (void)written;
  return folder;
}

struct ToolCase {
  std::string tool;
  gridkit::ToolFunction run;
  std::vector<std::string> inputs;   // files its dialogue names
  std::string answers;               // a whole dialogue that succeeds
  std::vector<std::string> outputs;  // every file that run writes
  std::string missing;               // an input left out
  std::string bad;                   // an input made unreadable from line 1 ("" for none)
  std::string failing_answers;       // answers the console fails on ("" for none)
  std::string shared;                // an input given an output's name ("" for none) ...
  std::string shared_as;             // ... this one
  bool shared_refused = false;       // the tool refuses that name instead
};

const std::vector<std::string> kLayerInputs = {"T1.DAT", "B1.DAT", "T2.DAT", "B2.DAT",
                                               "T3.DAT", "B3.DAT", "T4.DAT", "B4.DAT"};
std::vector<std::string> layer_inputs_and(std::vector<std::string> more) {
  more.insert(more.end(), kLayerInputs.begin(), kLayerInputs.end());
  return more;
}
std::vector<std::string> layer_outputs(const std::string& ext) {
  std::vector<std::string> names;
  for (const std::string& input : kLayerInputs) names.push_back(input.substr(0, 2) + ext);
  return names;
}
const std::string kLayerAnswers = "T1\nB1\nT2\nB2\nT3\nB3\nT4\nB4\n";
const std::string kCorbellaAnswers =
    "2\n2\nLAY1\nSANDH.ARR\nCLAYH.ARR\nSANDV.ARR\nCLAYV.ARR\nPRCS.ARR\n";

const std::vector<ToolCase>& tool_cases() {
  // One case a row, laid out by hand.
  // clang-format off
  static const std::vector<ToolCase> cases = {
      {"tallowin", tallowin::run_tallowin, {"IN.DAT", "IB.ARR"}, "IN.DAT\nIB.ARR\n",
       {"IN.DAT.GRD"}, "IB.ARR", "IN.DAT", "IN.DAT\n", "IB.ARR", "IN.DAT.GRD"},
      {"tallowex", tallowin::run_tallowex, {"IN.DAT"}, "IN.DAT\n",
       {"IN.DAT.GRD"}, "IN.DAT", "IN.DAT", "", "", ""},
      {"plover", plover::run_plover, {"PTS.XYZ"}, "PTS.XYZ\n", {"GEO.OUT"},
       "PTS.XYZ", "PTS.XYZ", "\n", "PTS.XYZ", "GEO.OUT", true},
      {"quarrypit", quarrypit::run_quarrypit, {"CURVE.XYZ"},
       "CURVE.XYZ\nZONES\n5\nN\n", {"ZONES.BOL", "BOUNDARY.FIL"}, "CURVE.XYZ",
       "CURVE.XYZ", "CURVE.XYZ\nZONES\nfive\n", "CURVE.XYZ", "BOUNDARY.FIL"},
      {"lanterns", lanterns::run_lanterns, {"DIG.xyz"},
       "DIG\n", {"DIG.OUT"}, "DIG.xyz", "", "", "", ""},
      {"pinchlay", pinchlay::run_pinchlay, layer_inputs_and({"UNCONF.ARR", "PINCH.IBD"}),
       "UNCONF.ARR\nPINCH.IBD\n2\n" + kLayerAnswers, layer_outputs(".UNC"), "B4.DAT",
       "UNCONF.ARR", "UNCONF.ARR\nPINCH.IBD\n2\nT1\nB1\n", "PINCH.IBD", "T1.UNC"},
      {"layorder", layorder::run_layorder, layer_inputs_and({"OPER.IBD"}),
       kLayerAnswers + "OPER.IBD\n", layer_outputs(".MOD"),
       "OPER.IBD", "T1.DAT", kLayerAnswers, "OPER.IBD", "T1.MOD"},
      {"corbella", corbella::run_corbella,
       {"SANDH.ARR", "CLAYH.ARR", "SANDV.ARR", "CLAYV.ARR", "PRCS.ARR"},
       kCorbellaAnswers, {"LAY1.KH", "LAY1.KV"}, "PRCS.ARR",
       "SANDH.ARR", "2\n2\nLAY1\nSANDH.ARR\n", "PRCS.ARR", "LAY1.KH"},
      {"heron2", heron2::run_heron2, {"RIV.DAT", "IB.ARR"}, "RIV.DAT\nIB.ARR\nOUT\n",
       {"OUT.FL1", "OUT.FL2", "OUT.FL3", "OUT.OR1", "OUT.OR2", "OUT.OR3", "OUT.STG", "PROBLEM.SEG",
        "NEWRIVER.RIV"}, "RIV.DAT", "RIV.DAT", "RIV.DAT\nIB.ARR\n", "RIV.DAT", "NEWRIVER.RIV"},
      // A letter where the sweep count is asked.
      {"brisket", brisket::run_brisket, {"IB.ARR", "PTS.XYZ"},
       "IB.ARR\nPTS.XYZ\nOUT\n5\n0.001\n", {"OUT.BSK", "OUT.GRD"}, "PTS.XYZ",
       "PTS.XYZ", "IB.ARR\nPTS.XYZ\nOUT\nX\n", "PTS.XYZ", "OUT.GRD"},
      {"brisket-early", brisket::run_brisket_early, {"IB.ARR", "PTS.XYZ"},
       "IB.ARR\nPTS.XYZ\nOUT\n5\n0.001\n", {"OUT.BSK", "OUT.GRD"}, "PTS.XYZ",
       "IB.ARR", "IB.ARR\nPTS.XYZ\nOUT\n5\n", "IB.ARR", "OUT.BSK"},
      {"brisket2", brisket::run_brisket2, {"IB.ARR", "GRID.DAT"},
       "IB.ARR\nGRID.DAT\nOUT\n5\n0.001\n", {"OUT.BSK", "OUT.GRD"}, "GRID.DAT",
       "GRID.DAT", "IB.ARR\nGRID.DAT\nOUT\n", "GRID.DAT", "OUT.BSK"},
      {"brisket4", brisket::run_brisket4, {"IB.ARR", "HELD.ARR", "GRID.DAT", "PTS.XYZ"},
       "IB.ARR\nHELD.ARR\nGRID.DAT\nPTS.XYZ\nOUT\n5\n0.001\n", {"OUT.BSK", "OUT.GRD"}, "PTS.XYZ",
       "HELD.ARR", "IB.ARR\nHELD.ARR\nGRID.DAT\nPTS.XYZ\nOUT\n5\nnone\n", "GRID.DAT", "OUT.GRD"},
  };
  // clang-format on
  return cases;
}

const ToolCase& tool_case(const std::string& tool) {
  const auto& cases = tool_cases();
  return *std::find_if(cases.begin(), cases.end(),
                       [&](const ToolCase& c) { return c.tool == tool; });
}

void copy_inputs(const ToolCase& c, const ScratchFolder& folder) {
  for (const std::string& name : c.inputs)
    std::filesystem::copy_file(inputs() / name, folder / name);
}

void write_earlier_outputs(const ToolCase& c, const ScratchFolder& folder) {
  for (const std::string& output : c.outputs) folder.write(output, kEarlier);
}

std::set<std::string> names_of(const std::vector<std::string>& names) {
  return {names.begin(), names.end()};
}

// A run that stopped before writing: every output of the earlier run as it
// was, and the folder holding just `inputs` and those outputs.
void expect_nothing_changed(const ToolCase& c, const ScratchFolder& folder,
                            const gridkit::ToolRun& run, std::set<std::string> inputs) {
  EXPECT_EQ(run.status, 2) << run.error;
  EXPECT_EQ(run.output.find("Stop"), std::string::npos);
  for (const std::string& output : c.outputs) {
    EXPECT_EQ(folder.read(output), kEarlier) << output;
    inputs.insert(output);
  }
  EXPECT_EQ(folder.listing(), inputs) << "a temporary file or a new file";
}

// A mistyped name once created the input empty and emptied every output of
// an earlier run, or ended as a success having converted nothing. Without an
// earlier run no output appears.
TEST(ToolFiles, MissingInputIsAnOpenErrorAndChangesNothing) {
  for (const ToolCase& c : tool_cases()) {
    SCOPED_TRACE(c.tool);
    std::set<std::string> inputs = names_of(c.inputs);
    inputs.erase(c.missing);
    for (const bool earlier : {false, true}) {
      const ScratchFolder folder;
      copy_inputs(c, folder);
      std::filesystem::remove(folder / c.missing);
      if (earlier) write_earlier_outputs(c, folder);
      const gridkit::ToolRun run = kit_test::run_in(folder, c.run, c.answers);
      EXPECT_EQ(run.error, "open " + c.missing + ": no such file");
      if (earlier) {
        expect_nothing_changed(c, folder, run, inputs);
      } else {
        EXPECT_EQ(folder.listing(), inputs) << "the input created, or an output";
      }
    }
  }
}

TEST(ToolFiles, FailureBeforeWritingLeavesEarlierOutputsAndNoTemporary) {
  for (const ToolCase& c : tool_cases()) {
    SCOPED_TRACE(c.tool);
    if (!c.bad.empty()) {
      const ScratchFolder folder;
      copy_inputs(c, folder);
      write_earlier_outputs(c, folder);
      folder.write(c.bad, "?? not a number ??\n");
      const gridkit::ToolRun run = kit_test::run_in(folder, c.run, c.answers);
      EXPECT_NE(run.error.find(c.bad), std::string::npos) << run.error;
      expect_nothing_changed(c, folder, run, names_of(c.inputs));
    }
    if (!c.failing_answers.empty()) {
      const ScratchFolder folder;
      copy_inputs(c, folder);
      write_earlier_outputs(c, folder);
      const gridkit::ToolRun run = kit_test::run_in(folder, c.run, c.failing_answers);
      EXPECT_NE(run.error.find("console"), std::string::npos) << run.error;
      expect_nothing_changed(c, folder, run, names_of(c.inputs));
    }
  }
}

TEST(ToolFiles, InputNamedLikeAnOutputIsReadAsItWasBeforeTheRun) {
  for (const ToolCase& c : tool_cases()) {
    if (c.shared.empty()) continue;
    SCOPED_TRACE(c.tool);
    const ScratchFolder apart;
    copy_inputs(c, apart);
    ASSERT_EQ(kit_test::run_in(apart, c.run, c.answers).status, 0);

    const ScratchFolder shared;
    copy_inputs(c, shared);
    std::filesystem::rename(shared / c.shared, shared / c.shared_as);
    std::string answers = "\n" + c.answers;
    const std::string line = "\n" + c.shared + "\n";
    answers.replace(answers.find(line), line.size(), "\n" + c.shared_as + "\n");
    const gridkit::ToolRun run = kit_test::run_in(shared, c.run, answers.substr(1));
    std::set<std::string> expected = names_of(c.inputs);
    expected.erase(c.shared);
    if (c.shared_refused) {
      // The output would replace the very file it converts.
      EXPECT_EQ(run.status, 2);
      EXPECT_NE(run.error.find(c.shared_as), std::string::npos) << run.error;
      EXPECT_EQ(shared.read(c.shared_as), apart.read(c.shared));
      expected.insert(c.shared_as);
    } else {
      ASSERT_EQ(run.status, 0) << run.error;
      for (const std::string& output : c.outputs)
        EXPECT_TRUE(shared.read(output) == apart.read(output)) << output;
      expected.merge(names_of(c.outputs));
    }
    EXPECT_EQ(shared.listing(), expected);
  }
}

// PLOVER writes each point as it converts it. A bad line stops the run: a
// good GEO.OUT of an earlier run stays as it was, and where none stood the
// lines before the bad one are kept. The run reports the bad line alone.
TEST(ToolFiles, FailureAfterWritingBeganNeverReplacesAnEarlierFile) {
  for (const bool earlier : {true, false}) {
    SCOPED_TRACE(earlier ? "earlier GEO.OUT" : "no GEO.OUT before");
    const ScratchFolder folder;
    folder.write("PTS.XYZ", "359987 344917 0\n500000 300000 0\n500000 NORTH 0\n359987 344917 0\n");
    if (earlier) folder.write("GEO.OUT", kEarlier);
    const gridkit::ToolRun run = kit_test::run_in(folder, plover::run_plover, "PTS.XYZ\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.error.find("PTS.XYZ line 3"), std::string::npos) << run.error;
    EXPECT_NE(run.error.find("NORTH"), std::string::npos) << run.error;
    EXPECT_EQ(run.error.find('\n'), std::string::npos) << "one line: " << run.error;
    EXPECT_EQ(run.output.find("Stop"), std::string::npos);
    EXPECT_EQ(folder.read("GEO.OUT"),
              earlier ? std::string(kEarlier)
                      : " 43.00   59.00   59.99   86.00     .00     .00     .00\n"
                        " 43.00   34.00   56.68   84.00   15.00   56.95     .00\n");
    EXPECT_EQ(folder.listing(), (std::set<std::string>{"PTS.XYZ", "GEO.OUT"}));
  }
}

// Name answers: each blank one is asked again; of one longer than its field
// only the first characters count, without the blanks around them.
struct NameCase {
  std::string tool;
  std::vector<std::pair<std::string, std::string>> renames;  // inputs renamed first
  std::string answers;
  int blanks = 0;                 // blank answers, each asked again
  std::vector<std::string> made;  // files the names give
  std::string not_made;           // the file the whole answer would give ("" for none)
  std::string note = "";          // what the note on a cut answer says ("" for none)
  std::string retry = kRetry;     // what a blank answer shows
};

// One case a row, laid out by hand.
// clang-format off
const std::vector<NameCase> kNameCases = {
    {"tallowex", {}, "   \n\nIN.DAT\n", 2, {"IN.DAT.GRD"}, "", "", kRetry + "UNIT 10? \n"},
    // 12 characters; the grid is named after the first 8.
    {"tallowex", {{"IN.DAT", "LONGNAME.DAT"}}, "LONGNAME.DATXYZ\n",
     0, {"LONGNAME.GRD"}, "", "\"LONGNAME.DAT\" is used"},
    // 40 characters, whatever follows them dropped.
    {"plover", {{"PTS.XYZ", "A_POINT_FILE_WITH_A_VERY_LONG_NAME.XYZ12"}},
     "A_POINT_FILE_WITH_A_VERY_LONG_NAME.XYZ12IGNORED\n", 0, {"GEO.OUT"}, ""},
    {"plover", {{"PTS.XYZ", "P.XYZ"}}, "\n   \n   P.XYZ   \n", 2, {"GEO.OUT"}, ""},
    {"heron2", {}, "   \n  RIV.DAT" + std::string(31, ' ') + "IGNORED\nIB.ARR\nBASE  \n",
     1, {"BASE.STG", "BASE.OR3", "NEWRIVER.RIV"}, ""},
    {"brisket", {}, "   \n  IB.ARR\nPTS.XYZ\nLONGBASENAME\n1\n0.0\n", 1,
     {"LONGBASE.BSK", "LONGBASE.GRD"}, "LONGBASENAME.BSK",
     "the answer \"LONGBASENAME\" is longer than its 8-character field; \"LONGBASE\" is used"},
    {"lanterns", {{"DIG.xyz", "ABCDEFGH.xyz"}}, "ABCDEFGHIJKLMNOP\n", 0, {"ABCDEFGH.OUT"}, ""},
    {"lanterns", {{"DIG.xyz", "AB.xyz"}}, "  AB\n", 0, {"AB.OUT"}, ""},
    // The layer tools' base names fill a 40-character field, kept whole.
    {"pinchlay", {{"T1.DAT", "TOPLAYER1.DAT"}},
     "\nUNCONF.ARR\nPINCH.IBD\n2\n  TOPLAYER1  \nB1\nT2\nB2\nT3\nB3\nT4\nB4\n",
     1, {"TOPLAYER1.UNC"}, "TOPLAYER.UNC"},
    {"layorder", {{"B2.DAT", "BOTTOMLAYER2.DAT"}},
     "T1\nB1\nT2\nBOTTOMLAYER2\nT3\nB3\nT4\nB4\nOPER.IBD\n",
     0, {"BOTTOMLAYER2.MOD"}, "BOTTOMLA.MOD"},
    {"corbella", {}, "2\n2\n LAYER1PERM \nSANDH.ARR\nCLAYH.ARR\nSANDV.ARR\nCLAYV.ARR\nPRCS.ARR\n",
     0, {"LAYER1PERM.KH", "LAYER1PERM.KV"}, "LAYER1PE.KH"},
    {"corbella", {}, "2\n2\n  \nLAY1\nSANDH.ARR\nCLAYH.ARR\nSANDV.ARR\nCLAYV.ARR\nPRCS.ARR\n",
     1, {"LAY1.KH", "LAY1.KV"}, ".KH", "", kRetry + "UNIT 10? \n"},
    // A blank output base is asked again in every tool; it once named ".BSK",
    // ".BOL" or ".xyz".
    {"heron2", {}, "RIV.DAT\nIB.ARR\n \nOUT\n", 1, {"OUT.STG"}, ".STG"},
    {"brisket", {}, "IB.ARR\nPTS.XYZ\n  \nOUT\n1\n0.0\n", 1,
     {"OUT.BSK", "OUT.GRD"}, ".BSK", "", kRetry + "UNIT 14? \n"},
    {"brisket-early", {}, "IB.ARR\nPTS.XYZ\n\nOUT\n1\n0.0\n", 1, {"OUT.BSK"}, ".GRD"},
    {"brisket2", {}, "IB.ARR\nGRID.DAT\n\nOUT\n1\n0.0\n", 1, {"OUT.BSK"}, ".BSK"},
    {"brisket4", {}, "IB.ARR\nHELD.ARR\nGRID.DAT\nPTS.XYZ\n\nOUT\n1\n0.0\n",
     1, {"OUT.GRD"}, ".GRD"},
    {"quarrypit", {}, "CURVE.XYZ\n   \nZONES\n5\nN\n", 1,
     {"ZONES.BOL"}, ".BOL", "", kRetry + "UNIT 11? \n"},
    {"lanterns", {}, "\n  DIG\n", 1, {"DIG.OUT"}, ".OUT", "", kRetry + "UNIT 10? \n"},
    {"pinchlay", {}, "UNCONF.ARR\nPINCH.IBD\n2\nT1\nB1\nT2\n \nB2\nT3\nB3\nT4\nB4\n",
     1, {"B2.UNC"}, ".UNC"},
};
// clang-format on

TEST(ToolDialogue, BlankNamesAreAskedAgainAndLongOnesCutToTheirField) {
  for (const NameCase& n : kNameCases) {
    SCOPED_TRACE(n.tool + ": " + n.answers);
    const ToolCase& c = tool_case(n.tool);
    const ScratchFolder folder;
    copy_inputs(c, folder);
    for (const auto& [from, to] : n.renames) std::filesystem::rename(folder / from, folder / to);
    const gridkit::ToolRun run = kit_test::run_in(folder, c.run, n.answers);
    ASSERT_EQ(run.status, 0) << run.error;
    EXPECT_EQ(kit_test::count_of(run.output, n.retry), n.blanks) << run.output;
    EXPECT_EQ(kit_test::count_of(run.output, kRetry), n.blanks) << run.output;
    for (const std::string& name : n.made) EXPECT_TRUE(folder.has(name)) << name;
    if (!n.not_made.empty()) {
      EXPECT_FALSE(folder.has(n.not_made));
    }
    if (!n.note.empty()) {
      EXPECT_NE(run.notes.find(n.note), std::string::npos) << run.notes;
    }
  }
}

// A cut answer names what its field holds, even when blanks take part of it.
TEST(ToolDialogue, LeadingBlanksCountTowardTheField) {
  const ScratchFolder folder;
  const gridkit::ToolRun run =
      kit_test::run_in(folder, tallowin::run_tallowex, "   TRANSMI1.DAT\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.error, "open TRANSMI1.: no such file");
}

}  // namespace
