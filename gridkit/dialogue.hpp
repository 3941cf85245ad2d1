// The dialogue's file questions, so no tool writes the sequence by hand:
// show the prompt, read the answer into a name field of the tool's length,
// ask again while it is blank ("File name missing or blank - please enter
// file name", then "UNIT n? "), and open or create the files it names.
//
// Inputs must exist: a missing one is an open error and is never created.
// Outputs are created or replaced by the rules of OutFile: they take their
// name only when closed or once something was written to them, so a run that
// stops before writing leaves no file and no temporary behind.
//
// A tool that writes several files asks for one base name and forms each
// file name as the base followed directly by a fixed extension.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "gridkit/console.hpp"
#include "gridkit/record.hpp"
#include "gridkit/textfile.hpp"

namespace gridkit {

// The name answered to `prompt`, without its surrounding blanks; a blank
// answer is asked again, the retry prompt naming `unit`.
std::string ask_name(Console& con, const Record& prompt, int length, int unit);

// The file answered to `prompt`, opened for reading.
InFile ask_existing(Console& con, const std::filesystem::path& folder, const Record& prompt,
                    int length, int unit);

// The name to open for an answer already read into `field`: while it is
// blank, the retry prompt naming `unit` and a new answer of `length`.
std::string resolve_name(Console& con, std::string_view field, int length, int unit);

// A base name answered to `prompt`: only the first `base_length` characters
// of the field of `length` form the base; when more was typed, a note says
// which base is used. A blank base is asked again, as a blank name is.
std::string ask_base(Console& con, const Record& prompt, int length, int base_length, int unit);
inline std::string ask_base(Console& con, const Record& prompt, int length, int unit) {
  return ask_base(con, prompt, length, length, unit);
}

// Opening by the dialogue's rules, relative to the tool's folder; `name` is
// also the name the reports give.
InFile open_existing(const std::filesystem::path& folder, const std::string& name);
OutFile create_or_replace(const std::filesystem::path& folder, const std::string& name);

// The outputs base + extension, one for each extension, created in that
// order. Should one of them fail to open, those created before it are
// discarded with it.
template <std::size_t N>
std::array<OutFile, N> create_outputs(const std::filesystem::path& folder, std::string_view base,
                                      const std::string_view (&extensions)[N]) {
  return [&]<std::size_t... K>(std::index_sequence<K...>) {
    // A braced list is evaluated left to right: the files open in order.
    return std::array<OutFile, N>{
        create_or_replace(folder, std::string(base) + std::string(extensions[K]))...};
  }
  (std::make_index_sequence<N>{});
}

// Each output name of a base, shown as a record, for the tools that repeat
// the names they will write.
template <std::size_t N>
void show_output_names(Console& con, std::string_view base,
                       const std::string_view (&extensions)[N]) {
  for (const std::string_view extension : extensions) {
    con.write(Record().text(std::string(base) + std::string(extension)));
  }
}

// The outputs named by one answer: ask_name, then create_outputs.
template <std::size_t N>
std::array<OutFile, N> ask_output(Console& con, const std::filesystem::path& folder,
                                  const Record& prompt, int length, int unit,
                                  const std::string_view (&extensions)[N]) {
  return create_outputs(folder, ask_name(con, prompt, length, unit), extensions);
}

}  // namespace gridkit
