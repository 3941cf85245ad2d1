#include "tools/kitmodel/command_words.hpp"

#include <limits>
#include <string>

#include "gridkit/error.hpp"
#include "gridkit/numparse.hpp"

namespace kitmodel {

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
