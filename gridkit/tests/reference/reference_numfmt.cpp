// The kit's first number formatting and parsing, unchanged apart from its
// namespace: the slow, plainly exact reference for the randomized tests.
#include "gridkit/tests/reference/reference_numfmt.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace gridkit::reference {

inline constexpr int kSingleDigits = 7;
inline constexpr int kDoubleDigits = 16;
inline constexpr int kFreeIntWidth = 11;
inline constexpr int kFreeRealWidth = 15;
inline constexpr int kFreeDoubleWidth = 24;
inline constexpr int kExpFieldWidth = 10;

struct Decimal {
  bool negative = false;
  std::string digits;
  int point = 0;
  bool is_zero() const { return digits.empty(); }
};

namespace {

// Parses printf's "%.*e" output "-d.ddddde+XX" into a Decimal.
Decimal from_scientific(const char* text) {
  Decimal d;
  const char* p = text;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  std::string digits;
  for (; *p != 'e'; ++p) {
    if (*p != '.') digits += *p;
  }
  const int exponent = std::atoi(p + 1);
  d.digits = digits;
  d.point = exponent + 1;
  return d;
}

// `count` significant digits of |value|, correctly rounded by printf.
Decimal printed_digits(double value, int count) {
  std::vector<char> buffer(static_cast<std::size_t>(count) + 32);
  std::snprintf(buffer.data(), buffer.size(), "%.*e", count - 1, value);
  return from_scientific(buffer.data());
}

// Enough digits to hold any double exactly (the longest expansion of a
// finite double has 767 significant digits).
constexpr int kExactDigits = 800;
// Digits printed on the fast path; far beyond the 17 any rounding needs.
constexpr int kQuickDigits = 40;

void strip_trailing_zeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.point = 0;
}

}  // namespace

Decimal round_decimal(double value, int sig_digits, int decimals) {
  if (value == 0.0) return Decimal{};
  Decimal d = printed_digits(value, kQuickDigits);
  const long keep_by_place = static_cast<long>(d.point) + decimals;
  const int keep = static_cast<int>(std::min<long>(sig_digits, keep_by_place));
  if (keep < 0) return Decimal{};
  if (keep >= kQuickDigits) {
    strip_trailing_zeros(d);
    return d;
  }
  // The quick digits are themselves rounded: a 5 followed by nothing but
  // zeros may come from an exact ...4999..., so look at the exact expansion.
  const bool maybe_tie =
      d.digits[keep] == '5' && d.digits.find_first_not_of('0', keep + 1) == std::string::npos;
  if (maybe_tie) d = printed_digits(value, kExactDigits);
  const bool round_up = d.digits[keep] >= '5';  // ties go away from zero
  d.digits.resize(keep);
  if (round_up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9') {
      d.digits[i] = '0';
      --i;
    }
    if (i >= 0) {
      ++d.digits[i];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      d.digits.pop_back();
      if (keep == 0) d.digits.assign(1, '1');
      ++d.point;
    }
  }
  strip_trailing_zeros(d);
  return d;
}

namespace {

std::string right_justify(const std::string& text, int width) {
  if (static_cast<int>(text.size()) >= width) return text;
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string asterisks(int width) { return std::string(static_cast<std::size_t>(width), '*'); }

// Digit of place value 10^(point-1-index), or 0 outside the kept digits.
char digit_at(const Decimal& d, int index) {
  if (index < 0 || index >= static_cast<int>(d.digits.size())) return '0';
  return d.digits[static_cast<std::size_t>(index)];
}

// "INT.FRAC" with `decimals` places; the integer part is empty below 1.
std::string fixed_digits(const Decimal& d, int decimals) {
  std::string out;
  for (int i = 0; i < d.point; ++i) out += digit_at(d, i);
  out += '.';
  for (int k = 0; k < decimals; ++k) out += digit_at(d, d.point + k);
  return out;
}

// "d.dddE+XX" with `digits` significant digits and `exp_width` exponent digits.
std::string exponent_form(const Decimal& d, int digits, int exp_width) {
  std::string out;
  out += digit_at(d, 0);
  out += '.';
  for (int k = 1; k < digits; ++k) out += digit_at(d, k);
  const int exponent = d.is_zero() ? 0 : d.point - 1;
  out += 'E';
  out += exponent < 0 ? '-' : '+';
  std::string e = std::to_string(std::abs(exponent));
  if (static_cast<int>(e.size()) < exp_width)
    e.insert(0, static_cast<std::size_t>(exp_width) - e.size(), '0');
  out += e;
  return out;
}

std::string non_finite_text(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

// The free-format field of a real with `sig` significant digits.
std::string free_real(double value, int sig, int width, int exp_width) {
  if (!std::isfinite(value)) return right_justify(non_finite_text(value), width);
  const Decimal d = round_decimal(value, sig, 1 << 20);
  std::string body;
  if (!d.is_zero() && d.point >= 1 && d.point <= 7) {
    body = fixed_digits(d, sig - 1);
  } else {
    body = exponent_form(d, sig, exp_width);
  }
  if (d.negative && !d.is_zero()) body.insert(0, 1, '-');
  return right_justify(body, width);
}

}  // namespace

std::string format_int(long long value, int width) {
  const std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) > width) return asterisks(width);
  return right_justify(text, width);
}

std::string format_fixed(double value, int width, int decimals, int sig_digits) {
  if (!std::isfinite(value)) return asterisks(width);
  const Decimal d = round_decimal(value, sig_digits, decimals);
  std::string body = fixed_digits(d, decimals);
  if (body == ".") body = "0.";  // a field must show at least one digit
  if (d.negative && !d.is_zero()) body.insert(0, 1, '-');
  if (static_cast<int>(body.size()) > width) return asterisks(width);
  return right_justify(body, width);
}

std::string format_exp10(float value) {
  constexpr int kDigits = 5;
  if (!std::isfinite(value)) return asterisks(kExpFieldWidth);
  const Decimal d = round_decimal(value, kDigits, 1 << 20);
  std::string body = ".";
  for (int k = 0; k < kDigits; ++k) body += digit_at(d, k);
  const int exponent = d.is_zero() ? 0 : d.point;
  body += 'E';
  body += exponent < 0 ? '-' : '+';
  std::string e = std::to_string(std::abs(exponent));
  if (e.size() < 2) e.insert(0, 1, '0');
  body += e;
  if (d.negative && !d.is_zero()) body.insert(0, 1, '-');
  if (static_cast<int>(body.size()) > kExpFieldWidth) return asterisks(kExpFieldWidth);
  return right_justify(body, kExpFieldWidth);
}

std::string free_int_field(long long value) {
  return right_justify(std::to_string(value), kFreeIntWidth);
}

std::string free_real_field(float value) {
  return free_real(value, kSingleDigits, kFreeRealWidth, 2);
}

std::string free_double_field(double value) {
  return free_real(value, kDoubleDigits, kFreeDoubleWidth, 3);
}

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

}  // namespace gridkit::reference
