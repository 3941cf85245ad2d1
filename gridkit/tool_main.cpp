#include "gridkit/tool_main.hpp"

#include <exception>
#include <iostream>
#include <sstream>

#include "gridkit/answer_source.hpp"
#include "gridkit/command_line.hpp"
#include "gridkit/error.hpp"
#include "gridkit/grid_file.hpp"
#include "gridkit/notes.hpp"
#include "gridkit/tool_help.hpp"

namespace gridkit {

namespace {

// Runs the tool; returns the exit status and puts any report in `error`.
int guarded_run(ToolFunction tool, Console& con, const std::filesystem::path& folder,
                std::string& error) {
  try {
    const RunGrid grid(folder);
    tool(con, folder);
    con.out().flush();
    return 0;
  } catch (const KitError& e) {
    error = e.what();
  } catch (const std::exception& e) {
    error = std::string("error: ") + e.what();
  }
  con.out().flush();
  return 2;
}

// A normal run that left answers unread is reported, not hidden: those
// answers were meant for questions the tool never asked.
void report_unused(std::string_view name, const std::vector<std::string>& unused,
                   std::ostream& err) {
  if (unused.empty()) return;
  err << name << ": " << unused.size() << (unused.size() == 1 ? " answer was" : " answers were")
      << " not asked for:";
  for (const std::string& answer : unused) err << " \"" << answer << "\"";
  err << '\n';
}

}  // namespace

int tool_main(ToolFunction tool) {
  Console con(std::cin, std::cout);
  std::string error;
  const int status = guarded_run(tool, con, ".", error);
  if (status != 0) std::cerr << error << '\n';
  return status;
}

int tool_main(ToolFunction tool, std::string_view name, int argc, char** argv) {
  if (argc <= 1) return tool_main(tool);
  return run_command(tool, name, std::vector<std::string>(argv + 1, argv + argc), std::cin,
                     std::cout, std::cerr, ".");
}

int run_command(ToolFunction tool, std::string_view name, const std::vector<std::string>& args,
                std::istream& in, std::ostream& out, std::ostream& err,
                const std::filesystem::path& folder) {
  const CommandLine line = parse_command_line(args);
  switch (line.action) {
    case CommandLine::Action::help:
      if (const ToolHelp* help = find_tool_help(name)) {
        out << help_text(*help);
      } else {
        out << "Usage: " << name << " [--help | --version] [--] [ANSWER]...\n";
      }
      return 0;
    case CommandLine::Action::version:
      out << version_text(name);
      return 0;
    case CommandLine::Action::usage_error:
      err << usage_error_text(name, line.problem);
      return 2;
    case CommandLine::Action::run:
      break;
  }
  AnswerSource answers(line.answers, in.rdbuf(), out);
  std::istream answered(&answers);
  Console con(answered, out);
  std::string error;
  const int status = guarded_run(tool, con, folder, error);
  if (status != 0) {
    err << error << '\n';
  } else {
    report_unused(name, answers.unused(), err);
  }
  return status;
}

ToolRun run_tool(ToolFunction tool, const std::string& input, const std::filesystem::path& folder) {
  std::istringstream in(input);
  std::ostringstream out;
  Console con(in, out);
  ToolRun run;
  const NoteCapture notes;
  run.status = guarded_run(tool, con, folder, run.error);
  run.output = out.str();
  run.notes = notes.text();
  return run;
}

}  // namespace gridkit
