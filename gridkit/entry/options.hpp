// The one way the kit's programs read their command lines: subcommand names,
// options and the words between them.
//
//   --name VALUE, --name=VALUE   an option that takes a value
//   --name                       a flag
//   --help, -h                   the program's (or subcommand's) help
//   --                           the end of the options: every later argument is a word
//
// "-" alone and negative numbers ("-86.5", "-.5") are words, not options. An
// option the command does not take, one without its value, a flag given a
// value and an option given twice are usage errors naming it.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/error.hpp"

namespace gridkit {

// A mistake in how a program was called. The program's entry shows it as
// "PROGRAM: PROBLEM (PROGRAM --help shows the usage)"; `command` names the
// subcommand whose help to point at ("kitmodel heads"), or is empty.
class UsageError : public KitError {
 public:
  explicit UsageError(const std::string& problem, std::string command = {})
      : KitError(problem), command_(std::move(command)) {}
  const std::string& command() const { return command_; }

 private:
  std::string command_;
};

struct AcceptedOption {
  std::string_view name;    // "--dict"
  bool takes_value = true;  // false: a flag
};

// Where the options may stand: anywhere among the words, or only before the
// first word (a console tool's answers may look like options).
enum class OptionsEnd { anywhere, first_word };

struct ParsedOptions {
  std::vector<std::string> words;  // the other arguments, in order
  bool help = false;               // --help or -h was given: nothing else is checked

  bool has(std::string_view option) const { return given.find(option) != given.end(); }
  // The option's value, when given ("" for a flag).
  std::optional<std::string> value(std::string_view option) const;

  std::map<std::string, std::string, std::less<>> given;
};

// Throws UsageError (carrying `command`) for a mistake.
ParsedOptions parse_options(std::span<const std::string> args,
                            std::span<const AcceptedOption> options,
                            OptionsEnd end = OptionsEnd::anywhere, std::string_view command = {});
inline ParsedOptions parse_options(std::span<const std::string> args,
                                   std::initializer_list<AcceptedOption> options,
                                   OptionsEnd end = OptionsEnd::anywhere,
                                   std::string_view command = {}) {
  return parse_options(args, std::span<const AcceptedOption>(options.begin(), options.size()), end,
                       command);
}

// Whether `arg` stands for an option rather than a word.
bool is_option(std::string_view arg);

// Whether a program of subcommands is asked for its own help: "help",
// "--help" or "-h" where the subcommand's name would stand.
bool asks_for_help(std::span<const std::string> args);

// "no NOUN given" or "unknown NOUN "X"" for a command line whose first word
// names nothing in a program's table of subcommands.
[[noreturn]] void no_such_command(std::span<const std::string> args, std::string_view noun);

// The entry of `table` (each with a `name`) named by `args[0]`.
template <class Entry, std::size_t N>
const Entry& pick_command(const Entry (&table)[N], std::span<const std::string> args,
                          std::string_view noun = "command") {
  if (!args.empty()) {
    for (const Entry& entry : table)
      if (args[0] == entry.name) return entry;
  }
  no_such_command(args, noun);
}

}  // namespace gridkit
