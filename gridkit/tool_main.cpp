#include "gridkit/tool_main.hpp"

#include <iostream>
#include <sstream>

#include "gridkit/answer_source.hpp"
#include "gridkit/entry/options.hpp"
#include "gridkit/entry/program_entry.hpp"
#include "gridkit/grid_file.hpp"
#include "gridkit/notes.hpp"

namespace gridkit {

namespace {

// One argument is one answer line; a line break inside it would silently
// shift every later answer onto the wrong question.
void refuse_line_breaks(const std::vector<std::string>& answers) {
  for (std::size_t k = 0; k < answers.size(); ++k) {
    if (answers[k].find_first_of("\r\n") != std::string::npos) {
      throw UsageError("answer " + std::to_string(k + 1) +
                       " holds a line break; give each answer as its own argument");
    }
  }
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

int tool_main(const Program& program, int argc, char** argv) {
  const std::vector<std::string> args = arguments(argc, argv);
  if (args.empty()) {
    return program_main(program.help.name, args, [&] {
      const RunGrid grid(".");
      Console con(std::cin, std::cout);
      program.run(con, ".");
      return 0;
    });
  }
  return run_command(program, args, std::cin, std::cout, std::cerr, ".");
}

int run_command(const Program& program, const std::vector<std::string>& args, std::istream& in,
                std::ostream& out, std::ostream& err, const std::filesystem::path& folder) {
  return run_program(program.help.name, args, out, err, [&] {
    // --version alone is the entry's; beside other options it is tolerated.
    const ParsedOptions line = parse_options(args, {{"--version", false}}, OptionsEnd::first_word);
    if (line.help) {
      out << help_text(program.help);
      return 0;
    }
    refuse_line_breaks(line.words);
    const RunGrid grid(folder);
    AnswerSource answers(line.words, in.rdbuf(), out);
    std::istream answered(&answers);
    Console con(answered, out);
    program.run(con, folder);
    out.flush();
    report_unused(program.help.name, answers.unused(), err);
    return 0;
  });
}

ToolRun run_tool(ToolFunction tool, const std::string& input, const std::filesystem::path& folder) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  Console con(in, out);
  ToolRun run;
  const NoteCapture notes;
  run.status = run_program("", {}, out, err, [&] {
    const RunGrid grid(folder);
    tool(con, folder);
    return 0;
  });
  run.output = out.str();
  run.error = err.str();
  if (!run.error.empty()) run.error.pop_back();  // the line's end
  run.notes = notes.text();
  return run;
}

}  // namespace gridkit
