// What `TOOL --help` shows for a console program of the kit. Each program
// declares its own in its folder, beside the questions it asks; this is the
// layout of the text. So every tool's header has the same few lines: its run
// function over a console and a folder, and its kHelp.
#pragma once

#include <string>
#include <string_view>

namespace gridkit {

struct ToolHelp {
  std::string_view name;       // the program's file name
  std::string_view summary;    // one line: what it does
  std::string_view questions;  // one line per question, in the order asked
  std::string_view example;    // answers of a typical run
};

// The whole --help text: usage, summary, numbered questions, options.
std::string help_text(const ToolHelp& help);

}  // namespace gridkit
