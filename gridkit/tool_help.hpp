// What `TOOL --help` shows for each console program of the kit. A new
// program adds its entry to the table in tool_help.cpp; one missing from it
// still gets --version and a one-line usage.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace gridkit {

struct ToolHelp {
  std::string_view name;       // the program's file name
  std::string_view summary;    // one line: what it does
  std::string_view questions;  // one line per question, in the order asked
  std::string_view example;    // answers of a typical run
};

// The entry for `name`, or null for a program the table does not know.
const ToolHelp* find_tool_help(std::string_view name);
std::span<const ToolHelp> all_tool_help();

// The whole --help text: usage, summary, numbered questions, options.
std::string help_text(const ToolHelp& help);

}  // namespace gridkit
