// Wiring of a console tool to a process, and to tests that run it in-process.
//
//   TOOL [--help | --version] [--] [ANSWER]...
//
// Options are read up to the first answer or "--"; every argument after them
// answers the tool's next question, as a line typed at the console would. An
// argument that starts with "-" and a digit or "." is a number, so it is an
// answer, not an option.
#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/console.hpp"
#include "gridkit/tool_help.hpp"

namespace gridkit {

// A tool's whole run: its dialogue on `con`, its files in `folder`. A failure
// is thrown as KitError.
using ToolFunction = void (*)(Console& con, const std::filesystem::path& folder);

// A console program: its run, and its name and help, declared in its folder
// beside the questions it asks.
struct Program {
  ToolFunction run;
  ToolHelp help;
};

// The program of a folder whose one main builds several (the BRISKET family)
// called `name`: a shared main checks KIT_PROGRAM, which the build defines,
// with has_program() before it takes program_named().
template <std::size_t N>
constexpr bool has_program(const Program (&programs)[N], std::string_view name) {
  for (const Program& program : programs)
    if (program.help.name == name) return true;
  return false;
}

template <std::size_t N>
constexpr const Program& program_named(const Program (&programs)[N], std::string_view name) {
  for (const Program& program : programs)
    if (program.help.name == name) return program;
  return programs[0];
}

// For main(): the command line, standard input and output, the current
// folder. Without arguments the console is read as it is, with no echo.
int tool_main(const Program& program, int argc, char** argv);

// The same over given streams and folder; `err` receives everything that
// goes to standard error. Returns the exit status.
int run_command(const Program& program, const std::vector<std::string>& args, std::istream& in,
                std::ostream& out, std::ostream& err, const std::filesystem::path& folder);

// For tests: runs the tool with `input` as its console input.
struct ToolRun {
  std::string output;  // everything shown on the console
  std::string error;   // the error report, empty after a normal run
  std::string notes;   // the notes the process would show on standard error
  int status = 0;      // 0 or 2, as the process would exit
};
ToolRun run_tool(ToolFunction tool, const std::string& input, const std::filesystem::path& folder);

}  // namespace gridkit
