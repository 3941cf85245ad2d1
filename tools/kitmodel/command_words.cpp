#include "tools/kitmodel/command_words.hpp"

#include <algorithm>
#include <limits>

#include "gridkit/error.hpp"
#include "gridkit/numparse.hpp"

namespace kitmodel {

using gridkit::KitError;

Words Words::split(std::span<const std::string> args, std::string_view command,
                   std::initializer_list<std::string_view> options) {
  Words words;
  words.command_ = "kitmodel " + std::string(command);
  bool only_names = false;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    if (only_names || a.size() < 2 || a[0] != '-') {
      words.names.push_back(a);
    } else if (a == "--") {
      only_names = true;
    } else if (a == "--help" || a == "-h") {
      words.help = true;
    } else {
      const std::size_t eq = a.find('=');
      const std::string option = a.substr(0, eq);
      if (std::find(options.begin(), options.end(), option) == options.end())
        throw KitError(words.command_ + ": unknown option " + option + " (" + words.command_ +
                       " --help lists them)");
      if (eq == std::string::npos && k + 1 == args.size())
        throw KitError(words.command_ + ": " + option + " needs a value");
      const std::string value = eq == std::string::npos ? args[++k] : a.substr(eq + 1);
      if (!words.values_.emplace(option, value).second)
        throw KitError(words.command_ + ": " + option + " is given twice");
    }
  }
  return words;
}

std::optional<std::string> Words::value(std::string_view option) const {
  const auto found = values_.find(option);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::optional<int> Words::positive(std::string_view option) const {
  const std::optional<std::string> text = value(option);
  if (!text) return std::nullopt;
  const std::optional<long long> n = gridkit::parse_integer(*text);
  if (!n || *n < 1 || *n > std::numeric_limits<int>::max())
    throw KitError(command_ + ": " + std::string(option) + " takes a whole number of 1 or more, not \"" +
                   *text + "\"");
  return static_cast<int>(*n);
}

}  // namespace kitmodel
