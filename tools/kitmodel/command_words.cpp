#include "tools/kitmodel/command_words.hpp"

#include <limits>
#include <ostream>
#include <string>

#include "gridkit/error.hpp"
#include "gridkit/numparse.hpp"

namespace kitmodel {

std::optional<gridkit::ParsedOptions> command_options(
    std::span<const std::string> args, std::initializer_list<gridkit::AcceptedOption> accepted,
    std::string_view command, std::string_view help, std::ostream& out) {
  gridkit::ParsedOptions options =
      gridkit::parse_options(args, accepted, gridkit::OptionsEnd::anywhere, command);
  if (!options.help) return options;
  out << help;
  return std::nullopt;
}

std::optional<int> positive_option(const gridkit::ParsedOptions& options, std::string_view option,
                                   std::string_view command) {
  const std::optional<std::string> text = options.value(option);
  if (!text) return std::nullopt;
  const std::optional<long long> n = gridkit::parse_integer(*text);
  if (!n || *n < 1 || *n > std::numeric_limits<int>::max())
    throw gridkit::KitError(std::string(command) + ": " + std::string(option) +
                            " takes a whole number of 1 or more, not \"" + *text + "\"");
  return static_cast<int>(*n);
}

}  // namespace kitmodel
