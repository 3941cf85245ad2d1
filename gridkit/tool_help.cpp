#include "gridkit/tool_help.hpp"

#include <string>

namespace gridkit {

std::string help_text(const ToolHelp& help) {
  const std::string name(help.name);
  std::string text = "Usage: " + name + " [--help | --version] [--] [ANSWER]...\n";
  text += std::string(help.summary) + "\n\nQuestions, in the order they are asked:\n";
  const std::string_view questions = help.questions;
  int number = 0;
  for (std::size_t start = 0; start < questions.size();) {
    const std::size_t end = questions.find('\n', start);
    text += "  " + std::to_string(++number) + ". " +
            std::string(questions.substr(start, end - start)) + "\n";
    start = end + 1;
  }
  text +=
      "\n"
      "Each ANSWER answers the next question, as a line typed at the console\n"
      "would; the console is asked for the rest. The transcript shows each\n"
      "command-line answer on its own line after its question.\n"
      "\n"
      "  --help      show this help and exit\n"
      "  --version   show the version and exit\n"
      "  --          end of the options: what follows are answers\n"
      "\n"
      "Example: " +
      name + " " + std::string(help.example) +
      "\n"
      "Exit status: 0 after a normal run, 2 after an error (one line on\n"
      "standard error). The manual page: man " +
      name + "\n";
  return text;
}

}  // namespace gridkit
