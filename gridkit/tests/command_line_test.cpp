// The command line every program shares: options, the entry's version and
// error lines, and a console tool's answers served before the console, with
// what the transcript shows of them.
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/entry/options.hpp"
#include "gridkit/entry/program_entry.hpp"
#include "gridkit/error.hpp"
#include "gridkit/tool_main.hpp"
#include "kit_version.hpp"

namespace gridkit {
namespace {

using Strings = std::vector<std::string>;

// A parse in one line: each word in [], each option given with its value,
// "help", or the usage error.
std::string parsed(const Strings& args, OptionsEnd end) {
  try {
    const ParsedOptions line = parse_options(
        args, {{"--layout"}, {"--resampling"}, {"--polygon", false}}, end, "kitgeo import");
    if (line.help) return "help";
    std::string text;
    for (const std::string& word : line.words) text += "[" + word + "]";
    for (const auto& [name, value] : line.given) text += " " + name + "=" + value;
    return text;
  } catch (const UsageError& e) {
    return e.command() + ": " + e.what();
  }
}

TEST(OptionParser, EveryProgramReadsItsLineOneWay) {
  struct Case {
    const char* reason;
    Strings args;
    OptionsEnd end;
    std::string expected;
  };
  const auto first = OptionsEnd::first_word;  // a console tool's answers may look like options
  const auto anywhere = OptionsEnd::anywhere;
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {"nothing given", {}, first, ""},
      {"help", {"--help"}, first, "help"},
      {"-h is help too", {"-h"}, first, "help"},
      {"a flag", {"--polygon"}, first, " --polygon="},
      {"help beside another option wins", {"--polygon", "--help"}, first, "help"},
      {"an answer ends a console tool's options", {"A.DAT", "--help"}, first, "[A.DAT][--help]"},
      {"-- ends the options", {"--", "--help", "-x"}, first, "[--help][-x]"},
      {"numbers and - are words", {"-86.5", "-.5", "-1e3", "-"}, anywhere, "[-86.5][-.5][-1e3][-]"},
      {"blank words are kept", {"", "  B  "}, first, "[][  B  ]"},
      {"a value as the next word", {"A", "--layout", "int", "B"}, anywhere, "[A][B] --layout=int"},
      {"a value after =", {"--layout=int", "A"}, anywhere, "[A] --layout=int"},
      {"help anywhere hides every mistake", {"--colour", "A", "--help"}, anywhere, "help"},
      {"help after -- is a word", {"--", "--help"}, anywhere, "[--help]"},
      {"unknown option", {"--verbose", "A"}, first, "kitgeo import: unknown option \"--verbose\""},
      {"unknown option among words", {"A", "--lay=2"}, anywhere,
       "kitgeo import: unknown option \"--lay\""},
      {"a missing value", {"A", "--resampling"}, anywhere,
       "kitgeo import: --resampling needs a value"},
      {"a flag given a value", {"--polygon=1"}, anywhere,
       "kitgeo import: --polygon takes no value"},
      {"an option twice", {"--layout=int", "--layout", "fixed"}, anywhere,
       "kitgeo import: --layout is given twice"},
  };
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(parsed(c.args, c.end), c.expected) << c.reason;
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

struct Command {
  std::string_view name;
};
constexpr Command kCommands[] = {{"pack"}, {"list"}};

TEST(ProgramEntry, VersionRunAndEveryFailureAsOneLine) {
  enum class Ends { normally, usage, usage_of_command, kit_error, other, unwritten };
  struct Case {
    const char* reason;
    Strings args;
    Ends ends;
    ErrorLine errors;
    Outcome expected;
  };
  const std::string hint = " (setuppack --help shows the usage)\n";
  const auto plain = ErrorLine::message;
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {"version", {"--version"}, Ends::normally, plain,
       {0, "setuppack (groundwater model kit) " KIT_VERSION "\n", ""}},
      {"help beside the version runs", {"--version", "-h"}, Ends::normally, plain,
       {0, "ran\n", ""}},
      {"the version as a word runs", {"--", "--version"}, Ends::normally, plain, {0, "ran\n", ""}},
      {"no command", {}, Ends::normally, plain, {2, "", "setuppack: no command given" + hint}},
      {"unknown command", {"pak"}, Ends::normally, plain,
       {2, "", "setuppack: unknown command \"pak\"" + hint}},
      {"a usage error", {"list"}, Ends::usage, plain, {2, "ran\n", "setuppack: bad" + hint}},
      {"a subcommand's usage error", {"list"}, Ends::usage_of_command, plain,
       {2, "ran\n", "setuppack list: bad (setuppack list --help shows the usage)\n"}},
      {"a kit error", {"list"}, Ends::kit_error, plain, {2, "ran\n", "open X: no such file\n"}},
      {"a kit error, named", {"list"}, Ends::kit_error, ErrorLine::named,
       {2, "ran\n", "setuppack: open X: no such file\n"}},
      {"any other failure", {"list"}, Ends::other, plain, {2, "ran\n", "setuppack: boom\n"}},
      {"a report nobody can read", {"list"}, Ends::unwritten, plain,
       {2, "ran\n", "write standard output: the stream refused the bytes\n"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    std::ostringstream out, err;
    const int status = run_program(
        "setuppack", c.args, out, err,
        [&] {
          if (c.args.empty() || !is_option(c.args[0])) pick_command(kCommands, c.args);
          out << "ran\n";
          switch (c.ends) {
            case Ends::normally: return 0;
            case Ends::usage: throw UsageError("bad");
            case Ends::usage_of_command: throw UsageError("bad", "setuppack list");
            case Ends::kit_error: throw KitError("open X: no such file");
            case Ends::other: throw std::runtime_error("boom");
            case Ends::unwritten: out.setstate(std::ios::badbit); return 0;
          }
          return 0;
        },
        c.errors);
    EXPECT_EQ(status, c.expected.status);
    EXPECT_EQ(out.str(), c.expected.out);
    EXPECT_EQ(err.str(), c.expected.err);
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

constexpr ToolHelp kHelp{"tallowin", "Asks two questions.", "name\nX and Y\n", "A 1 2"};

Outcome run(const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_command({two_questions, kHelp}, args, in, out, err, ".");
  return {status, out.str(), err.str()};
}

TEST(CommandLine, AnswersAreEchoedAfterTheirQuestionAndTheConsoleTakesOver) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    Outcome expected;
  };
  const std::string got = "GOT [A B] 1.000000 -2.000000\nStop - Program terminated.\n";
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      // Every answer from the command line, each shown where it is read.
      {{"A B", "1", "-2"}, "", {0, "NAME?\nA B\nX Y?\n1\n-2\n" + got, ""}},
      {{"A B", "1 -2"}, "", {0, "NAME?\nA B\nX Y?\n1 -2\n" + got, ""}},
      // The console answers the rest, shown as it always was (not at all).
      {{}, "A B\n1 -2\n", {0, "NAME?\nX Y?\n" + got, ""}},
      {{"A B"}, "1 -2\n", {0, "NAME?\nA B\nX Y?\n" + got, ""}},
      {{"A B", "1"}, "-2\n", {0, "NAME?\nA B\nX Y?\n1\n" + got, ""}},
      {{"--"}, "A B\n1 -2\n", {0, "NAME?\nX Y?\n" + got, ""}},
      // Answers nobody asked for are reported; the run stands.
      {{"A B", "1", "-2", "Z", ""}, "",
       {0, "NAME?\nA B\nX Y?\n1\n-2\n" + got,
        "tallowin: 2 answers were not asked for: \"Z\" \"\"\n"}},
      // Too few answers and no console: the end of input is the usual error.
      {{"A B"}, "",
       {2, "NAME?\nA B\nX Y?\n", "read console: end of input where an answer was expected\n"}},
      {{"A B", "1", "Q"}, "",
       {2, "NAME?\nA B\nX Y?\n1\nQ\n", "read console line 3: expected a number, found \"Q\"\n"}},
      {{"--bad"}, "",
       {2, "", "tallowin: unknown option \"--bad\" (tallowin --help shows the usage)\n"}},
      {{"A", "B\nC"}, "",
       {2, "", "tallowin: answer 2 holds a line break; give each answer as its own argument"
               " (tallowin --help shows the usage)\n"}},
      {{"--version"}, "", {0, "tallowin (groundwater model kit) " KIT_VERSION "\n", ""}},
      {{"--help"}, "", {0, help_text(kHelp), ""}},
  };
  // clang-format on
  for (const Case& c : cases) {
    const Outcome o = run(c.args, c.input);
    const std::string label = ::testing::PrintToString(c.args);
    EXPECT_EQ(o.status, c.expected.status) << label;
    EXPECT_EQ(o.out, c.expected.out) << label;
    EXPECT_EQ(o.err, c.expected.err) << label;
  }
}

}  // namespace
}  // namespace gridkit
