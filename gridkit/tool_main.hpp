// Wiring of a tool to a process, and to tests that run it in-process.
#pragma once

#include <filesystem>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/console.hpp"

namespace gridkit {

// A tool's whole run: its dialogue on `con`, its files in `folder`. A failure
// is thrown as KitError.
using ToolFunction = void (*)(Console& con, const std::filesystem::path& folder);

// A program of a folder whose one main builds several (the BRISKET family).
struct Program {
  std::string_view name;
  ToolFunction run;
};

// Whether `programs` has one called `name`: a shared main checks KIT_PROGRAM,
// which the build defines, with this before it runs program_run().
template <std::size_t N>
constexpr bool has_program(const Program (&programs)[N], std::string_view name) {
  for (const Program& program : programs)
    if (program.name == name) return true;
  return false;
}

template <std::size_t N>
constexpr ToolFunction program_run(const Program (&programs)[N], std::string_view name) {
  for (const Program& program : programs)
    if (program.name == name) return program.run;
  return programs[0].run;
}

// For main(): standard input and output, the current folder; a KitError is
// printed on standard error and gives exit status 2.
int tool_main(ToolFunction tool);

// For main() of a program `name` (as in gridkit/tool_help): also takes its
// command line, --help, --version and answers (gridkit/command_line.hpp).
// Without arguments it runs exactly as tool_main(tool).
int tool_main(ToolFunction tool, std::string_view name, int argc, char** argv);

// The same over given streams and folder; `err` receives everything that
// goes to standard error. Returns the exit status.
int run_command(ToolFunction tool, std::string_view name, const std::vector<std::string>& args,
                std::istream& in, std::ostream& out, std::ostream& err,
                const std::filesystem::path& folder);

// For tests: runs the tool with `input` as its console input.
struct ToolRun {
  std::string output;  // everything shown on the console
  std::string error;   // the error report, empty after a normal run
  std::string notes;   // the notes the process would show on standard error
  int status = 0;      // 0 or 2, as the process would exit
};
ToolRun run_tool(ToolFunction tool, const std::string& input, const std::filesystem::path& folder);

}  // namespace gridkit
