#include "gridkit/entry/options.hpp"

#include <algorithm>

namespace gridkit {

namespace {

bool looks_like_number(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' && ((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.');
}

bool is_help(std::string_view arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

bool is_option(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' && !looks_like_number(arg);
}

std::optional<std::string> ParsedOptions::value(std::string_view option) const {
  const auto found = given.find(option);
  if (found == given.end()) return std::nullopt;
  return found->second;
}

ParsedOptions parse_options(std::span<const std::string> args,
                            std::span<const AcceptedOption> options, OptionsEnd end,
                            std::string_view command) {
  const std::string context(command);
  ParsedOptions parsed;
  // Help is looked for first: a mistake elsewhere on the line must not hide it.
  for (const std::string& arg : args) {
    if (arg == "--" || (end == OptionsEnd::first_word && !is_option(arg))) break;
    if (is_help(arg)) {
      parsed.help = true;
      return parsed;
    }
  }
  bool options_ended = false;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (options_ended || !is_option(arg)) {
      parsed.words.push_back(arg);
      if (end == OptionsEnd::first_word) options_ended = true;
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const auto accepted =
        std::find_if(options.begin(), options.end(),
                     [&](const AcceptedOption& option) { return option.name == name; });
    if (accepted == options.end()) throw UsageError("unknown option \"" + name + "\"", context);
    std::string value;
    if (!accepted->takes_value) {
      if (equals != std::string::npos) throw UsageError(name + " takes no value", context);
    } else if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (k + 1 < args.size()) {
      value = args[++k];
    } else {
      throw UsageError(name + " needs a value", context);
    }
    if (!parsed.given.emplace(name, value).second)
      throw UsageError(name + " is given twice", context);
  }
  return parsed;
}

bool asks_for_help(std::span<const std::string> args) {
  return !args.empty() && (args[0] == "help" || is_help(args[0]));
}

void no_such_command(std::span<const std::string> args, std::string_view noun) {
  const std::string what(noun);
  if (args.empty()) throw UsageError("no " + what + " given");
  throw UsageError("unknown " + what + " \"" + args[0] + "\"");
}

}  // namespace gridkit
