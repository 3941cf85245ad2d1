// What kitmodel's subcommands make of their options' values; the options
// themselves are read as every program of the kit reads them
// (gridkit/entry/options.hpp).
#pragma once

#include <optional>
#include <string_view>

#include "gridkit/entry/options.hpp"

namespace kitmodel {

// The option's value as a whole number of 1 or more, when given; any other
// value is an error naming `command` ("kitmodel heads") and the option.
std::optional<int> positive_option(const gridkit::ParsedOptions& options, std::string_view option,
                                   std::string_view command);

}  // namespace kitmodel
