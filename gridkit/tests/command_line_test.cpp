// The shared command line: options, answers served before the console, and
// what the transcript shows of them.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/command_line.hpp"
#include "gridkit/error.hpp"
#include "gridkit/tool_help.hpp"
#include "gridkit/tool_main.hpp"
#include "kit_version.hpp"

namespace gridkit {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, OptionsComeBeforeTheAnswers) {
  struct Case {
    std::vector<std::string> args;
    Action action;
    std::vector<std::string> answers;
    std::string problem;  // part of the usage error
  };
  const Case cases[] = {
      {{}, Action::run, {}, ""},
      {{"--help"}, Action::help, {}, ""},
      {{"--version"}, Action::version, {}, ""},
      {{"--version", "--help"}, Action::help, {}, ""},
      {{"A.DAT", "--help"}, Action::run, {"A.DAT", "--help"}, ""},
      {{"--", "--help", "-x"}, Action::run, {"--help", "-x"}, ""},
      {{"-86.5", "-.5", "-1e3", "-"}, Action::run, {"-86.5", "-.5", "-1e3", "-"}, ""},
      {{"", "  B  "}, Action::run, {"", "  B  "}, ""},
      {{"--verbose", "A"}, Action::usage_error, {}, "unknown option \"--verbose\""},
      {{"-h"}, Action::usage_error, {}, "unknown option \"-h\""},
      {{"A", "B\nC"}, Action::usage_error, {}, "answer 2 holds a line break"},
  };
  for (const Case& c : cases) {
    const CommandLine line = parse_command_line(c.args);
    const std::string label = ::testing::PrintToString(c.args);
    EXPECT_EQ(line.action, c.action) << label;
    EXPECT_EQ(line.answers, c.answers) << label;
    EXPECT_NE(line.problem.find(c.problem), std::string::npos) << label << ": " << line.problem;
  }
}

// Two questions, the second a pair of numbers that may span lines, and what
// it got.
void two_questions(Console& con, const std::filesystem::path&) {
  con.line("NAME?");
  const std::string name = con.read_line();
  con.line("X Y?");
  double xy[2];
  con.read_values(xy);
  con.line("GOT [" + name + "] " + std::to_string(xy[0]) + " " + std::to_string(xy[1]));
  con.stop();
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome run(const std::vector<std::string>& args, const std::string& input,
            std::string_view name = "tallowin") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_command(two_questions, name, args, in, out, err, ".");
  return {status, out.str(), err.str()};
}

TEST(CommandLine, AnswersAreEchoedAfterTheirQuestionAndTheConsoleTakesOver) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    Outcome expected;
  };
  const std::string got = "GOT [A B] 1.000000 -2.000000\nStop - Program terminated.\n";
  const Case cases[] = {
      // Every answer from the command line, each shown where it is read.
      {{"A B", "1", "-2"}, "", {0, "NAME?\nA B\nX Y?\n1\n-2\n" + got, ""}},
      {{"A B", "1 -2"}, "", {0, "NAME?\nA B\nX Y?\n1 -2\n" + got, ""}},
      // The console answers the rest, shown as it always was (not at all).
      {{"A B"}, "1 -2\n", {0, "NAME?\nA B\nX Y?\n" + got, ""}},
      {{"A B", "1"}, "-2\n", {0, "NAME?\nA B\nX Y?\n1\n" + got, ""}},
      {{"--"}, "A B\n1 -2\n", {0, "NAME?\nX Y?\n" + got, ""}},
      // Answers nobody asked for are reported; the run stands.
      {{"A B", "1", "-2", "Z", ""},
       "",
       {0, "NAME?\nA B\nX Y?\n1\n-2\n" + got, "tallowin: 2 answers were not asked for: \"Z\" \"\"\n"}},
      // Too few answers and no console: the end of input is the usual error.
      {{"A B"},
       "",
       {2, "NAME?\nA B\nX Y?\n", "read console: end of input where an answer was expected\n"}},
      {{"A B", "1", "Q"},
       "",
       {2, "NAME?\nA B\nX Y?\n1\nQ\n", "read console line 3: expected a number, found \"Q\"\n"}},
      {{"--bad"}, "", {2, "", "tallowin: unknown option \"--bad\"\nTry \"tallowin --help\" for more information.\n"}},
      {{"--version"}, "", {0, "tallowin (groundwater model kit) " KIT_VERSION "\n", ""}},
  };
  for (const Case& c : cases) {
    const Outcome o = run(c.args, c.input);
    const std::string label = ::testing::PrintToString(c.args);
    EXPECT_EQ(o.status, c.expected.status) << label;
    EXPECT_EQ(o.out, c.expected.out) << label;
    EXPECT_EQ(o.err, c.expected.err) << label;
  }
}

TEST(CommandLine, WithoutArgumentsTheTranscriptIsTheConsolesAlone) {
  const std::string input = "A B\n1\n-2\n";
  const ToolRun plain = run_tool(two_questions, input, ".");
  const Outcome o = run({}, input);
  EXPECT_EQ(o.out, plain.output);
  EXPECT_EQ(o.status, plain.status);
}

TEST(CommandLine, EveryProgramHasHelpNamingItsQuestionsAndManualPage) {
  ASSERT_GE(all_tool_help().size(), 15U);
  for (const ToolHelp& help : all_tool_help()) {
    const Outcome o = run({"--help"}, "", help.name);
    const std::string name(help.name);
    EXPECT_EQ(o.status, 0) << name;
    EXPECT_EQ(o.out, help_text(help)) << name;
    EXPECT_EQ(o.out.rfind("Usage: " + name + " ", 0), 0U) << o.out;
    EXPECT_NE(o.out.find("  1. "), std::string::npos) << name;
    EXPECT_NE(o.out.find("\nExample: " + name + " "), std::string::npos) << name;
    EXPECT_NE(o.out.find("man " + name + "\n"), std::string::npos) << name;
    EXPECT_EQ(find_tool_help(name), &help);
  }
  EXPECT_EQ(find_tool_help("no-such-tool"), nullptr);
}

}  // namespace
}  // namespace gridkit
