// The programs' shared command line, as processes: --help, --version, a bad
// option, and answers given as arguments doing exactly what piped answers do.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kit_version.hpp"
#include "tests/support/scratch_folder.hpp"

namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Runs `program` in `dir` with `args`, and `input` on standard input.
Outcome run(const fs::path& dir, const std::string& program, const std::vector<std::string>& args,
            const std::string& input = "") {
  std::ofstream(dir / "stdin.txt", std::ios::binary) << input;
  std::string command =
      "cd " + quoted(dir.string()) + " && " + quoted(std::string(KIT_BIN_DIR) + "/" + program);
  for (const std::string& arg : args) command += " " + quoted(arg);
  command += " <stdin.txt >stdout.txt 2>stderr.txt";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, kit_test::read_text(dir / "stdout.txt"),
          kit_test::read_text(dir / "stderr.txt")};
}

// Every program of the kit has a manual page.
std::vector<std::string> program_names() {
  std::vector<std::string> names;
  for (const auto& page : fs::directory_iterator(fs::path(KIT_SOURCE_DIR) / "docs/man"))
    names.push_back(page.path().stem());
  return names;
}

class CommandLine : public ::testing::Test {
 protected:
  kit_test::ScratchFolder dir_;
};

TEST_F(CommandLine, EveryProgramAnswersHelpVersionAndRefusesBadOptions) {
  int checked = 0;
  for (const std::string& name : program_names()) {
    const fs::path page = fs::path(KIT_SOURCE_DIR) / "docs/man" / (name + ".1");
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(kit_test::read_text(page).rfind(".TH " + upper + " 1 ", 0), 0U) << page;
    if (!fs::exists(fs::path(KIT_BIN_DIR) / name)) continue;  // not built in this configuration
    ++checked;
    const Outcome version = run(dir_.path(), name, {"--version"});
    EXPECT_EQ(version.status, 0) << name;
    EXPECT_EQ(version.out, name + " (groundwater model kit) " KIT_VERSION "\n");
    const Outcome help = run(dir_.path(), name, {"--help"});
    EXPECT_EQ(help.status, 0) << name;
    EXPECT_NE(help.out.find(name), std::string::npos) << help.out;
    if (help.out.rfind("Usage: " + name + " ", 0) ==
        0) {  // a console tool's: its questions, an example, its page
      for (const std::string& part :
           {std::string("\n  1. "), "\nExample: " + name + " ", "man " + name + "\n"})
        EXPECT_NE(help.out.find(part), std::string::npos) << help.out;
    }
    const Outcome bad = run(dir_.path(), name, {"--no-such-option"});
    EXPECT_EQ(bad.status, 2) << name;
    EXPECT_NE(bad.err.find("no-such-option"), std::string::npos) << name << ": " << bad.err;
    EXPECT_EQ(bad.out, "") << name;
  }
  if (checked == 0) GTEST_SKIP() << "no program built";
}

// The transcript of a run with answers as arguments, less the echo of each
// answer: every answer must be echoed, in order.
std::string without_echoes(const std::string& transcript, const std::vector<std::string>& answers,
                           std::size_t& echoed) {
  std::istringstream lines(transcript);
  std::string rest;
  echoed = 0;
  for (std::string line; std::getline(lines, line);) {
    if (echoed < answers.size() && line == answers[echoed]) {
      ++echoed;
    } else {
      rest += line + "\n";
    }
  }
  return rest;
}

TEST_F(CommandLine, AnswersAsArgumentsDoWhatPipedAnswersDo) {
  struct Case {
    std::string program;
    std::vector<std::string> samples;                       // copied from samples/
    std::vector<std::pair<std::string, std::string>> made;  // name, content
    std::vector<std::string> answers;
    std::vector<std::string> outputs;
  };
  const std::string square = "300000 500000 0\n320000 500000 0\n320000 480000 0\n300000 480000 0\n";
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {"tallowin", {"common/LANDSURF.DAT", "common/IBOUND.ARR"},
       {}, {"LANDSURF.DAT", "IBOUND.ARR"}, {"LANDSURF.GRD"}},
      {"plover", {"plover/WELLS.XYZ"}, {}, {"WELLS.XYZ"}, {"GEO.OUT"}},
      {"plover-point", {}, {}, {"420622.07 289659.31"}, {}},
      {"avocet", {}, {}, {"43.5", "85.25"}, {}},
      {"lanterns", {"curves/BASIN.xyz"}, {}, {"BASIN"}, {"BASIN.OUT"}},
      {"quarrypit", {}, {{"SQ.XYZ", square}},
       {"SQ.XYZ", "ZONES", "5", "Y", "SQ.XYZ", "-1", "N"}, {"ZONES.BOL", "BOUNDARY.FIL"}},
      {"brisket", {"common/IBOUND.ARR", "brisket/WLPOINTS.XYZ"}, {},
       {"IBOUND.ARR", "WLPOINTS.XYZ", "WLEVEL", "20", "0.001"}, {"WLEVEL.BSK", "WLEVEL.GRD"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    if (!fs::exists(fs::path(KIT_BIN_DIR) / c.program)) continue;
    const fs::path piped = dir_ / (c.program + "-piped");
    const fs::path given = dir_ / (c.program + "-given");
    for (const fs::path& dir : {piped, given}) {
      fs::create_directories(dir);
      for (const std::string& sample : c.samples) {
        fs::copy_file(fs::path(KIT_SOURCE_DIR) / "samples" / sample,
                      dir / fs::path(sample).filename());
      }
      for (const auto& [name, content] : c.made)
        std::ofstream(dir / name, std::ios::binary) << content;
    }
    std::string input;
    for (const std::string& answer : c.answers) input += answer + "\n";
    const Outcome by_pipe = run(piped, c.program, {}, input);
    const Outcome by_args = run(given, c.program, c.answers);
    ASSERT_EQ(by_pipe.status, 0) << c.program << ": " << by_pipe.err;
    EXPECT_EQ(by_args.status, 0) << c.program << ": " << by_args.err;
    EXPECT_EQ(by_args.err, by_pipe.err) << c.program;
    std::size_t echoed = 0;
    EXPECT_EQ(without_echoes(by_args.out, c.answers, echoed), by_pipe.out) << c.program;
    EXPECT_EQ(echoed, c.answers.size()) << c.program << " transcript:\n" << by_args.out;
    for (const std::string& output : c.outputs) {
      const std::string expected = kit_test::read_text(piped / output);
      EXPECT_FALSE(expected.empty()) << c.program << " " << output;
      EXPECT_EQ(kit_test::read_text(given / output), expected) << c.program << " " << output;
    }
  }
}

}  // namespace
