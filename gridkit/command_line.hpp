// The command line every kit program shares: --help, --version, and answers.
//
//   TOOL [--help | --version] [--] [ANSWER]...
//
// Options are read up to the first answer or "--"; every argument after them
// answers the tool's next question, as a line typed at the console would. An
// argument that starts with "-" and a digit or "." is a number, so it is an
// answer, not an option.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

struct CommandLine {
  enum class Action { run, help, version, usage_error };
  Action action = Action::run;
  std::vector<std::string> answers;  // for run
  std::string problem;               // for usage_error
};

CommandLine parse_command_line(const std::vector<std::string>& args);

// "tallowin (groundwater model kit) 1.0.0", one line.
std::string version_text(std::string_view program);

// "tallowin: PROBLEM" and a pointer to --help, two lines.
std::string usage_error_text(std::string_view program, std::string_view problem);

}  // namespace gridkit
