#include "tests/support/tool_runs.hpp"

namespace kit_test {

std::string answers(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) (text += line) += '\n';
  return text;
}

gridkit::ToolRun run_in(const ScratchFolder& folder, gridkit::ToolFunction tool,
                        std::string_view input) {
  return gridkit::run_tool(tool, std::string(input), folder.path());
}

int count_of(std::string_view text, std::string_view part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

}  // namespace kit_test
