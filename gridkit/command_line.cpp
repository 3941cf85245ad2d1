#include "gridkit/command_line.hpp"

#include "kit_version.hpp"

namespace gridkit {

namespace {

bool looks_like_number(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' &&
         ((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.');
}

bool is_option(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' && !looks_like_number(arg);
}

CommandLine usage_error(std::string problem) {
  CommandLine line;
  line.action = CommandLine::Action::usage_error;
  line.problem = std::move(problem);
  return line;
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string>& args) {
  CommandLine line;
  std::size_t i = 0;
  for (; i < args.size() && is_option(args[i]); ++i) {
    if (args[i] == "--") {
      ++i;
      break;
    }
    if (args[i] == "--help") {
      line.action = CommandLine::Action::help;
    } else if (args[i] == "--version") {
      if (line.action != CommandLine::Action::help) line.action = CommandLine::Action::version;
    } else {
      return usage_error("unknown option \"" + args[i] + "\"");
    }
  }
  for (; i < args.size(); ++i) {
    // One argument is one answer line; a line break inside it would silently
    // shift every later answer onto the wrong question.
    if (args[i].find_first_of("\r\n") != std::string::npos) {
      return usage_error("answer " + std::to_string(line.answers.size() + 1) +
                         " holds a line break; give each answer as its own argument");
    }
    line.answers.push_back(args[i]);
  }
  return line;
}

std::string version_text(std::string_view program) {
  return std::string(program) + " (groundwater model kit) " KIT_VERSION "\n";
}

std::string usage_error_text(std::string_view program, std::string_view problem) {
  return std::string(program) + ": " + std::string(problem) + "\nTry \"" + std::string(program) +
         " --help\" for more information.\n";
}

}  // namespace gridkit
