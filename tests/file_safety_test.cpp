// No run destroys a file: every console tool, run as a process on small
// generated models, against the same table of cases.
//
//  - a missing input is an open error (exit status 2) and is never created;
//  - a run that stops before writing leaves every output of an earlier run
//    as it was, and no temporary file behind;
//  - an input named like an output of the same run is read as it was before
//    the run, so the outputs are those of a run with the input named apart.
//
// A tool not built (a partial build) is skipped.
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 470;
constexpr int kCols = 361;
const std::string kEarlier = "results of an earlier run\n";

// The integer array layout: 25 fields of 3 to a line, each row on new lines.
std::string int_grid(int value) {
  std::string text;
  for (int i = 0; i < kRows; ++i) {
    for (int j = 0; j < kCols; ++j) {
      char field[8];
      std::snprintf(field, sizeof field, "%3d", value);
      text += field;
      if ((j + 1) % 25 == 0 || j + 1 == kCols) text += '\n';
    }
  }
  return text;
}

// The fixed real layout: 10 fields of 8 with one decimal to a line.
std::string fixed_grid(float value) {
  std::string text;
  for (int i = 0; i < kRows; ++i) {
    for (int j = 0; j < kCols; ++j) {
      char field[16];
      std::snprintf(field, sizeof field, "%8.1f", value + 0.1f * static_cast<float>(j % 7));
      text += field;
      if ((j + 1) % 10 == 0 || j + 1 == kCols) text += '\n';
    }
  }
  return text;
}

// A free-format real array: one row a line.
std::string free_grid(float value) {
  std::string text;
  for (int i = 0; i < kRows; ++i) {
    for (int j = 0; j < kCols; ++j) text += std::to_string(value + static_cast<float>(i % 5)) + " ";
    text += '\n';
  }
  return text;
}

// A river package of one straight line of three cells.
std::string river_package() {
  std::string text = "         5         0\n         3\n";
  for (int col = 10; col <= 12; ++col) {
    char record[96];
    std::snprintf(record, sizeof record, "%10d%10d%10d%10.1f%10.1f%10.1f%10d%7d\n", 1, 10, col,
                  100.0 - col, 9.5, 90.0, 0, 0);
    text += record;
  }
  return text;
}

// Every input any row names, by file name.
const std::map<std::string, std::string>& input_contents() {
  static const std::map<std::string, std::string> contents = [] {
    std::map<std::string, std::string> c;
    for (const char* name : {"IB.ARR", "PINCH.IBD", "OPER.IBD"}) c[name] = int_grid(1);
    c["HELD.ARR"] = int_grid(0);
    c["IN.DAT"] = free_grid(1.5f);
    c["GRID.DAT"] = fixed_grid(40.0f);
    c["UNCONF.ARR"] = fixed_grid(50.0f);
    const float tops[] = {100.0f, 90.0f, 80.0f, 70.0f};
    for (int k = 0; k < 4; ++k) {
      c["T" + std::to_string(k + 1) + ".DAT"] = fixed_grid(tops[k]);
      c["B" + std::to_string(k + 1) + ".DAT"] = fixed_grid(tops[k] - 5.0f);
    }
    c["PTS.XYZ"] = "300000 500000 10\n310000 510000 20\n320500 480200 15\n";
    c["CURVE.XYZ"] = "300500 500500 0\n305500 500500 0\n305500 505500 0\n300500 505500 0\n";
    c["DIG.xyz"] = "1000 2000 5\n1500 2500 6\n";
    c["RIV.DAT"] = river_package();
    for (const char* name : {"SANDH.ARR", "SANDV.ARR"}) c[name] = "    10.000    10.000\n    10.000    10.000\n";
    for (const char* name : {"CLAYH.ARR", "CLAYV.ARR"}) c[name] = "     0.100     0.100\n     0.100     0.100\n";
    c["PRCS.ARR"] = "    50.0    20.0\n   100.0     0.0\n";
    return c;
  }();
  return contents;
}

struct ToolCase {
  std::string tool;                 // the program in bin/
  std::vector<std::string> inputs;  // files its dialogue names
  std::string answers;              // a whole dialogue that succeeds
  std::vector<std::string> outputs;
  std::string missing;              // an input left out: an open error
  std::string bad;                  // an input made unreadable from line 1 ("" when skipped)
  std::string failing_answers;      // a dialogue that fails at the console ("" for none)
  std::string shared;               // an input given an output's name ("" when none can match)
  std::string shared_as;
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
const std::vector<std::string> kHeronOutputs = {"OUT.FL1", "OUT.FL2", "OUT.FL3", "OUT.OR1", "OUT.OR2",
                                                "OUT.OR3", "OUT.STG", "PROBLEM.SEG", "NEWRIVER.RIV"};

const std::vector<ToolCase>& tool_cases() {
  static const std::vector<ToolCase> cases = {
      {"tallowin", {"IN.DAT", "IB.ARR"}, "IN.DAT\nIB.ARR\n", {"IN.DAT.GRD"}, "IB.ARR", "IN.DAT",
       "IN.DAT\n", "IB.ARR", "IN.DAT.GRD"},
      {"tallowex", {"IN.DAT"}, "IN.DAT\n", {"IN.DAT.GRD"}, "IN.DAT", "IN.DAT", "", "", ""},
      {"plover", {"PTS.XYZ"}, "PTS.XYZ\n", {"GEO.OUT"}, "PTS.XYZ", "PTS.XYZ", "", "", ""},
      {"quarrypit", {"CURVE.XYZ"}, "CURVE.XYZ\nZONES\n5\nN\n", {"ZONES.BOL", "BOUNDARY.FIL"},
       "CURVE.XYZ", "CURVE.XYZ", "CURVE.XYZ\nZONES\nfive\n", "CURVE.XYZ", "BOUNDARY.FIL"},
      {"lanterns", {"DIG.xyz"}, "DIG\n", {"DIG.OUT"}, "DIG.xyz", "", "", "", ""},
      {"pinchlay", layer_inputs_and({"UNCONF.ARR", "PINCH.IBD"}),
       "UNCONF.ARR\nPINCH.IBD\n2\n" + kLayerAnswers, layer_outputs(".UNC"), "B4.DAT", "UNCONF.ARR",
       "UNCONF.ARR\nPINCH.IBD\n2\nT1\nB1\n", "PINCH.IBD", "T1.UNC"},
      {"layorder", layer_inputs_and({"OPER.IBD"}), kLayerAnswers + "OPER.IBD\n", layer_outputs(".MOD"),
       "OPER.IBD", "T1.DAT", kLayerAnswers, "OPER.IBD", "T1.MOD"},
      {"corbella", {"SANDH.ARR", "CLAYH.ARR", "SANDV.ARR", "CLAYV.ARR", "PRCS.ARR"},
       "2\n2\nLAY1\nSANDH.ARR\nCLAYH.ARR\nSANDV.ARR\nCLAYV.ARR\nPRCS.ARR\n", {"LAY1.KH", "LAY1.KV"},
       "PRCS.ARR", "SANDH.ARR", "2\n2\nLAY1\nSANDH.ARR\n", "PRCS.ARR", "LAY1.KH"},
      {"heron2", {"RIV.DAT", "IB.ARR"}, "RIV.DAT\nIB.ARR\nOUT\n", kHeronOutputs, "RIV.DAT", "RIV.DAT",
       "RIV.DAT\nIB.ARR\n", "RIV.DAT", "NEWRIVER.RIV"},
      {"brisket", {"IB.ARR", "PTS.XYZ"}, "IB.ARR\nPTS.XYZ\nOUT\n5\n0.001\n", {"OUT.BSK", "OUT.GRD"},
       "PTS.XYZ", "PTS.XYZ", "IB.ARR\nPTS.XYZ\nOUT\nX\n", "PTS.XYZ", "OUT.GRD"},
      {"brisket-early", {"IB.ARR", "PTS.XYZ"}, "IB.ARR\nPTS.XYZ\nOUT\n5\n0.001\n",
       {"OUT.BSK", "OUT.GRD"}, "PTS.XYZ", "IB.ARR", "IB.ARR\nPTS.XYZ\nOUT\n5\n", "IB.ARR", "OUT.BSK"},
      {"brisket2", {"IB.ARR", "GRID.DAT"}, "IB.ARR\nGRID.DAT\nOUT\n5\n0.001\n", {"OUT.BSK", "OUT.GRD"},
       "GRID.DAT", "GRID.DAT", "IB.ARR\nGRID.DAT\nOUT\n", "GRID.DAT", "OUT.BSK"},
      {"brisket4", {"IB.ARR", "HELD.ARR", "GRID.DAT", "PTS.XYZ"},
       "IB.ARR\nHELD.ARR\nGRID.DAT\nPTS.XYZ\nOUT\n5\n0.001\n", {"OUT.BSK", "OUT.GRD"}, "PTS.XYZ",
       "HELD.ARR", "IB.ARR\nHELD.ARR\nGRID.DAT\nPTS.XYZ\nOUT\n5\nnone\n", "GRID.DAT", "OUT.GRD"},
  };
  return cases;
}

std::string read_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

std::set<std::string> listing(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

struct ProcessRun {
  int status = -1;
  std::string error;
};

// A scratch root per case: the tool's folder "work" and its captured
// streams beside it, so the folder holds only what the tool leaves there.
class ToolFolder {
 public:
  explicit ToolFolder(const std::string& label)
      : root_(fs::temp_directory_path() / "file_safety_test" / label), work_(root_ / "work") {
    fs::remove_all(root_);
    fs::create_directories(work_);
  }
  ~ToolFolder() { fs::remove_all(root_); }
  const fs::path& work() const { return work_; }

  void write_inputs(const ToolCase& c) const {
    for (const std::string& name : c.inputs) write_file(work_ / name, input_contents().at(name));
  }

  ProcessRun run(const std::string& tool, const std::string& answers) const {
    write_file(root_ / "answers.txt", answers);
    const std::string command = "cd '" + work_.string() + "' && '" KIT_BIN_DIR "/" + tool +
                                "' <../answers.txt >../out.txt 2>../err.txt";
    const int status = std::system(command.c_str());
    ProcessRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.error = read_file(root_ / "err.txt");
    return run;
  }

 private:
  fs::path root_;
  fs::path work_;
};

bool built(const std::string& tool) { return fs::exists(fs::path(KIT_BIN_DIR) / tool); }

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

// Checks a run that stopped on an error before writing: every output of
// the earlier run as it was, and the folder holding exactly `expected`.
void expect_nothing_changed(const ToolCase& c, const ToolFolder& folder, const ProcessRun& run,
                            std::set<std::string> expected) {
  EXPECT_EQ(run.status, 2) << c.tool << ": " << run.error;
  for (const std::string& output : c.outputs) {
    EXPECT_EQ(read_file(folder.work() / output), kEarlier) << c.tool << " " << output;
    expected.insert(output);
  }
  EXPECT_EQ(listing(folder.work()), expected) << c.tool << ": a temporary file or a new file";
}

std::set<std::string> names_of(const std::vector<std::string>& names) { return {names.begin(), names.end()}; }

void write_earlier_outputs(const ToolCase& c, const ToolFolder& folder) {
  for (const std::string& output : c.outputs) write_file(folder.work() / output, kEarlier);
}

TEST(FileSafety, MissingInputIsAnOpenErrorAndChangesNothing) {
  for (const ToolCase& c : tool_cases()) {
    if (!built(c.tool)) continue;
    ToolFolder folder("missing-" + c.tool);
    folder.write_inputs(c);
    write_earlier_outputs(c, folder);
    fs::remove(folder.work() / c.missing);
    const ProcessRun run = folder.run(c.tool, c.answers);
    EXPECT_EQ(first_line(run.error), "open " + c.missing + ": no such file") << c.tool;
    std::set<std::string> expected = names_of(c.inputs);
    expected.erase(c.missing);
    expect_nothing_changed(c, folder, run, expected);
  }
}

TEST(FileSafety, FailureBeforeWritingLeavesEarlierOutputsAndNoTemporary) {
  for (const ToolCase& c : tool_cases()) {
    if (!built(c.tool)) continue;
    if (!c.bad.empty()) {
      ToolFolder folder("bad-" + c.tool);
      folder.write_inputs(c);
      write_earlier_outputs(c, folder);
      write_file(folder.work() / c.bad, "?? not a number ??\n");
      const ProcessRun run = folder.run(c.tool, c.answers);
      EXPECT_NE(run.error.find(c.bad), std::string::npos) << c.tool << ": " << run.error;
      expect_nothing_changed(c, folder, run, names_of(c.inputs));
    }
    if (!c.failing_answers.empty()) {
      ToolFolder folder("console-" + c.tool);
      folder.write_inputs(c);
      write_earlier_outputs(c, folder);
      const ProcessRun run = folder.run(c.tool, c.failing_answers);
      EXPECT_NE(run.error.find("console"), std::string::npos) << c.tool << ": " << run.error;
      expect_nothing_changed(c, folder, run, names_of(c.inputs));
    }
  }
}

TEST(FileSafety, InputNamedLikeAnOutputIsReadAsItWasBeforeTheRun) {
  for (const ToolCase& c : tool_cases()) {
    if (!built(c.tool) || c.shared.empty()) continue;
    ToolFolder apart("apart-" + c.tool);
    apart.write_inputs(c);
    ASSERT_EQ(apart.run(c.tool, c.answers).status, 0) << c.tool;

    ToolFolder shared("shared-" + c.tool);
    shared.write_inputs(c);
    fs::rename(shared.work() / c.shared, shared.work() / c.shared_as);
    std::string answers = "\n" + c.answers;
    const std::string line = "\n" + c.shared + "\n";
    answers.replace(answers.find(line), line.size(), "\n" + c.shared_as + "\n");
    const ProcessRun run = shared.run(c.tool, answers.substr(1));
    ASSERT_EQ(run.status, 0) << c.tool << ": " << run.error;
    for (const std::string& output : c.outputs) {
      EXPECT_TRUE(read_file(shared.work() / output) == read_file(apart.work() / output))
          << c.tool << " " << output;
    }
    std::set<std::string> expected = names_of(c.inputs);
    expected.erase(c.shared);
    expected.merge(names_of(c.outputs));
    EXPECT_EQ(listing(shared.work()), expected) << c.tool;
  }
}

// Lines converted before a bad one stay in the output (the only tool that
// writes as it reads); nothing else is left behind.
TEST(FileSafety, FailureAfterWritingBeganKeepsWhatWasWritten) {
  if (!built("plover")) GTEST_SKIP();
  ToolFolder folder("partial-plover");
  write_file(folder.work() / "PTS.XYZ", "300000 500000 10\n310000 510000 20\nthird line\n");
  write_file(folder.work() / "GEO.OUT", kEarlier);
  const ProcessRun run = folder.run("plover", "PTS.XYZ\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("PTS.XYZ line 3"), std::string::npos) << run.error;
  const std::string geo = read_file(folder.work() / "GEO.OUT");
  EXPECT_EQ(std::count(geo.begin(), geo.end(), '\n'), 2) << geo;
  EXPECT_EQ(listing(folder.work()), (std::set<std::string>{"PTS.XYZ", "GEO.OUT"}));
}

}  // namespace
