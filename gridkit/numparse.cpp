#include "gridkit/numparse.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace gridkit {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Checks the written form of a real and rewrites it for strtod/strtof:
// leading '+' dropped, a D exponent written as E. Returns false when the
// token is not a number.
bool normalise_real(std::string_view token, std::string& out) {
  out.clear();
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
    if (token[i] == '-') out += '-';
    ++i;
  }
  int mantissa_digits = 0;
  while (i < token.size() && is_digit(token[i])) {
    out += token[i++];
    ++mantissa_digits;
  }
  if (i < token.size() && token[i] == '.') {
    out += token[i++];
    while (i < token.size() && is_digit(token[i])) {
      out += token[i++];
      ++mantissa_digits;
    }
  }
  if (mantissa_digits == 0) return false;
  if (i < token.size()) {
    const char e = token[i];
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return false;
    out += 'e';
    ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) out += token[i++];
    int exponent_digits = 0;
    while (i < token.size() && is_digit(token[i])) {
      out += token[i++];
      ++exponent_digits;
    }
    if (exponent_digits == 0 || i != token.size()) return false;
  }
  return true;
}

template <class T>
std::optional<T> convert(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  T value;
  if constexpr (std::is_same_v<T, float>) {
    value = std::strtof(text.c_str(), &end);
  } else {
    value = std::strtod(text.c_str(), &end);
  }
  if (end != text.c_str() + text.size()) return std::nullopt;
  if (errno == ERANGE && std::isinf(value)) return std::nullopt;  // too large for the type
  return value;
}

template <class T>
std::optional<T> parse_real(std::string_view token) {
  std::string text;
  if (!normalise_real(token, text)) return std::nullopt;
  return convert<T>(text);
}

std::string without_blanks(std::string_view field) {
  std::string out;
  for (const char c : field) {
    if (c != ' ') out += c;
  }
  return out;
}

// Puts the implied decimal point into a mantissa written without one:
// "1234" with 1 place becomes "123.4", "15" with 5 places "0.00015".
std::string with_implied_point(const std::string& field, int places) {
  std::size_t start = (!field.empty() && (field[0] == '+' || field[0] == '-')) ? 1 : 0;
  std::size_t end = start;
  while (end < field.size() && is_digit(field[end])) ++end;
  std::string digits = field.substr(start, end - start);
  if (digits.empty() || places <= 0) return field;
  if (static_cast<int>(digits.size()) <= places) {
    digits.insert(0, static_cast<std::size_t>(places) - digits.size() + 1, '0');
  }
  digits.insert(digits.size() - static_cast<std::size_t>(places), 1, '.');
  return field.substr(0, start) + digits + field.substr(end);
}

template <class T>
std::optional<T> parse_fixed_real(std::string_view field, int implied_decimals) {
  const std::string text = without_blanks(field);
  if (text.empty()) return T{0};
  if (text.find('.') != std::string::npos) return parse_real<T>(text);
  return parse_real<T>(with_implied_point(text, implied_decimals));
}

}  // namespace

std::optional<float> parse_float(std::string_view token) { return parse_real<float>(token); }

std::optional<double> parse_double(std::string_view token) { return parse_real<double>(token); }

std::optional<long long> parse_integer(std::string_view token) {
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  if (i == token.size()) return std::nullopt;
  long long value = 0;
  constexpr long long kMax = std::numeric_limits<long long>::max();
  for (; i < token.size(); ++i) {
    if (!is_digit(token[i])) return std::nullopt;
    const int digit = token[i] - '0';
    if (value > (kMax - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

std::optional<float> parse_fixed_float(std::string_view field, int implied_decimals) {
  return parse_fixed_real<float>(field, implied_decimals);
}

std::optional<double> parse_fixed_double(std::string_view field, int implied_decimals) {
  return parse_fixed_real<double>(field, implied_decimals);
}

std::optional<long long> parse_fixed_integer(std::string_view field) {
  const std::string text = without_blanks(field);
  if (text.empty()) return 0;
  return parse_integer(text);
}

}  // namespace gridkit
