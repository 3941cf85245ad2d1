// Reading numbers the way the kit's files write them.
//
// Free-format tokens: optional sign, digits with an optional point, optional
// exponent written with E or D ("1.5D+02"). Fixed-column fields: blanks
// anywhere in the field are ignored (" 1 2" reads 12), a field of blanks reads
// 0, and a real field without a point takes `implied_decimals` implied places.
// Reals are converted straight from the decimal text to the target precision,
// correctly rounded (never through a double first, for floats).
#pragma once

#include <optional>
#include <string_view>

namespace gridkit {

std::optional<float> parse_float(std::string_view token);
std::optional<double> parse_double(std::string_view token);
std::optional<long long> parse_integer(std::string_view token);

std::optional<float> parse_fixed_float(std::string_view field, int implied_decimals);
std::optional<double> parse_fixed_double(std::string_view field, int implied_decimals);
std::optional<long long> parse_fixed_integer(std::string_view field);

}  // namespace gridkit
