// What kitmodel's subcommands make of their options' values; the options
// themselves are read as every program of the kit reads them
// (gridkit/entry/options.hpp).
#pragma once

#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gridkit/entry/options.hpp"

namespace kitmodel {

// A subcommand's words, with `accepted` options anywhere among them; nullopt
// when they ask for help, which is then written to `out`. `command` names the
// subcommand in errors ("kitmodel heads").
std::optional<gridkit::ParsedOptions> command_options(
    std::span<const std::string> args, std::initializer_list<gridkit::AcceptedOption> accepted,
    std::string_view command, std::string_view help, std::ostream& out);

// The option's value as a whole number of 1 or more, when given; any other
// value is an error naming `command` ("kitmodel heads") and the option.
std::optional<int> positive_option(const gridkit::ParsedOptions& options, std::string_view option,
                                   std::string_view command);

}  // namespace kitmodel
