#include "gridkit/numfmt.hpp"

#include <cmath>
#include <string>

#include "gridkit/decimal.hpp"

namespace gridkit {

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
  if (static_cast<int>(e.size()) < exp_width) e.insert(0, static_cast<std::size_t>(exp_width) - e.size(), '0');
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

std::string free_int_field(long long value) { return right_justify(std::to_string(value), kFreeIntWidth); }

std::string free_real_field(float value) { return free_real(value, kSingleDigits, kFreeRealWidth, 2); }

std::string free_double_field(double value) {
  return free_real(value, kDoubleDigits, kFreeDoubleWidth, 3);
}

}  // namespace gridkit
