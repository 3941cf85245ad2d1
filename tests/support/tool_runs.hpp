// Running a tool in-process over a scratch folder, and the answers it reads.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "gridkit/tool_main.hpp"
#include "tests/support/scratch_folder.hpp"

namespace kit_test {

// The answers of a dialogue, one a line.
std::string answers(std::initializer_list<std::string_view> lines);

// The tool run with `input` as its console input, its files in `folder`.
gridkit::ToolRun run_in(const ScratchFolder& folder, gridkit::ToolFunction tool,
                        std::string_view input);

// How many times `part` appears in `text` (a retried prompt, a report line).
int count_of(std::string_view text, std::string_view part);

}  // namespace kit_test
