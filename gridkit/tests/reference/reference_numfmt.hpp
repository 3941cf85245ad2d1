// The first, plainly exact number formatting and parsing of the kit, kept
// unchanged as the reference that the fast paths in gridkit must match byte
// for byte (printed fields) and bit for bit (parsed values). Slow on purpose:
// every printed real takes 40 digits from printf and, at a possible tie, the
// full 800-digit expansion; every parsed real goes through strtof/strtod.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gridkit::reference {

std::string format_int(long long value, int width);
std::string free_int_field(long long value);
std::string format_fixed(double value, int width, int decimals, int sig_digits = 7);
std::string format_exp10(float value);
std::string free_real_field(float value);
std::string free_double_field(double value);

std::optional<float> parse_float(std::string_view token);
std::optional<double> parse_double(std::string_view token);
std::optional<long long> parse_integer(std::string_view token);
std::optional<float> parse_fixed_float(std::string_view field, int implied_decimals);
std::optional<double> parse_fixed_double(std::string_view field, int implied_decimals);
std::optional<long long> parse_fixed_integer(std::string_view field);

}  // namespace gridkit::reference
