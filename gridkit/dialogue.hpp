// The dialogue's file questions, so no tool writes the sequence by hand:
// show the prompt, read the answer into a name field of the tool's length,
// ask again while it is blank ("File name missing or blank - please enter
// file name", then "UNIT n? "), and open the file named.
//
// Inputs must exist: a missing one is an open error and is never created.
// Outputs are created or replaced by the rules of OutFile: they take their
// name only when closed or once something was written to them.
#pragma once

#include <filesystem>
#include <string>

#include "gridkit/console.hpp"
#include "gridkit/record.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

// The name answered to `prompt`, without its surrounding blanks.
std::string ask_name(Console& con, const Record& prompt, int length, int unit);

// The file answered to `prompt`, opened for reading.
InFile ask_existing(Console& con, const std::filesystem::path& folder, const Record& prompt,
                    int length, int unit);

// Opening by the dialogue's rules, relative to the tool's folder; `name` is
// also the name the reports give.
InFile open_existing(const std::filesystem::path& folder, const std::string& name);
OutFile create_or_replace(const std::filesystem::path& folder, const std::string& name);

}  // namespace gridkit
