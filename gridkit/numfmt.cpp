#include "gridkit/numfmt.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "gridkit/decimal.hpp"

namespace gridkit {

namespace {

constexpr std::uint64_t kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
constexpr double kPow10Double[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
constexpr int kBySignificantDigits = 1 << 20;  // a place limit that never binds

char* fill(char* out, long count, char c) {
  if (count <= 0) return out;
  std::memset(out, c, static_cast<std::size_t>(count));
  return out + count;
}

char* asterisks(char* out, int width) { return fill(out, width, '*'); }

// `text` right-justified in `width`; a longer text is written whole.
char* put_right(char* out, std::string_view text, int width) {
  out = fill(out, width - static_cast<long>(text.size()), ' ');
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// "INT.FRAC" with `decimals` places; the integer part is empty below 1.
char* put_fixed_digits(char* out, const RoundedDigits& d, int decimals) {
  for (int i = 0; i < d.point; ++i) *out++ = d.at(i);
  *out++ = '.';
  for (int k = 0; k < decimals; ++k) *out++ = d.at(d.point + k);
  return out;
}

// Exponent sign (always written) and at least `min_digits` digits; a
// double's exponent has at most 3.
char* put_exponent(char* out, int exponent, int min_digits) {
  *out++ = exponent < 0 ? '-' : '+';
  int magnitude = std::abs(exponent);
  const int needed = magnitude >= 100 ? 3 : magnitude >= 10 ? 2 : 1;
  const int count = std::max(needed, min_digits);
  for (int i = count - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  return out + count;
}

// A single-precision value below 10^(7 - decimals) has at most 7 significant
// digits up to its last decimal, so it rounds at that decimal. Scaled by
// 10^decimals it is exact in double (24 mantissa bits times 5^7 need 41), so
// the rounding, an exact tie included, is plain integer work.
bool takes_scaled_path(double value, int decimals, int sig_digits) {
  return sig_digits == kSingleDigits && decimals >= 0 && decimals <= kSingleDigits &&
         std::fabs(value) < kPow10Double[kSingleDigits - decimals] &&
         static_cast<double>(static_cast<float>(value)) == value;
}

char* put_fixed_scaled(char* out, double value, int width, int decimals) {
  const double scaled = std::fabs(value) * kPow10Double[decimals];
  std::uint64_t n = static_cast<std::uint64_t>(scaled);
  if (scaled - static_cast<double>(n) >= 0.5) ++n;  // ties away from zero
  // Written in place from the right: fraction, point, whole part, sign;
  // running out of room means the value does not fit.
  char* const end = out + width;
  char* b = end;
  const auto put = [&](char c) {
    if (b == out) return false;
    *--b = c;
    return true;
  };
  bool fits = true;
  std::uint64_t frac = n % kPow10[decimals];
  for (int k = 0; k < decimals; ++k) {
    fits = fits && put(static_cast<char>('0' + frac % 10));
    frac /= 10;
  }
  fits = fits && put('.');
  std::uint64_t whole = n / kPow10[decimals];
  if (whole == 0 && decimals == 0) fits = fits && put('0');  // a field must show at least one digit
  for (; whole > 0 && fits; whole /= 10) fits = put(static_cast<char>('0' + whole % 10));
  if (value < 0 && n != 0) fits = fits && put('-');
  if (!fits) return asterisks(out, width);
  while (b > out) *--b = ' ';
  return end;
}

// The digits of `d` with zeros before and after, so that fixed-size copies
// can take any run of digit places near them: at(i) is the digit of index i
// (as RoundedDigits::at) for i from -16 to 31, and the 16 places after it.
struct PaddedDigits {
  char text[64];
  explicit PaddedDigits(const RoundedDigits& d) {
    std::memset(text, '0', sizeof text);
    std::memcpy(text + 16, d.digits, static_cast<std::size_t>(d.count));
  }
  const char* at(int index) const { return text + 16 + index; }
};

char* put_fixed_rounded(char* out, double value, int width, int decimals, int sig_digits) {
  const RoundedDigits d = round_digits(value, sig_digits, decimals);
  const bool minus = d.negative && !d.is_zero();
  const int places = std::max(decimals, 0);
  const long whole_digits = std::max(d.point, 0);
  const bool lone_point = whole_digits == 0 && places == 0;  // written "0."
  const long length = minus + whole_digits + 1 + places + lone_point;
  if (length > width) return asterisks(out, width);
  if (width <= 32 && places <= 16 && d.point >= -16 && d.point <= 16) {
    // As the free-format fields below: every copy of a fixed size.
    const PaddedDigits digits(d);
    char field[32 + 48];
    std::memset(field, ' ', 32);
    char* b = field + 32;
    if (minus) *b++ = '-';
    if (lone_point) *b++ = '0';
    std::memcpy(b, digits.at(0), 16);
    b += whole_digits;
    *b++ = '.';
    std::memcpy(b, digits.at(d.point), 16);
    b += places;
    std::memcpy(out, b - width, static_cast<std::size_t>(width));
    return out + width;
  }
  out = fill(out, width - length, ' ');
  if (minus) *out++ = '-';
  if (lone_point) *out++ = '0';
  return put_fixed_digits(out, d, places);
}

std::string_view non_finite_text(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

// The free-format field of a real with `kSig` significant digits: fixed form
// from one to seven digits before the point, otherwise the exponent form.
// The body is built after a run of blanks and the field is its last `kWidth`
// characters, so every copy has a fixed size.
template <int kSig, int kWidth, int kExpWidth>
char* put_free_real_field(char* out, double value) {
  static_assert(kSig - 1 <= 16 && kWidth <= 32, "the fixed-size copies below");
  if (!std::isfinite(value)) return put_right(out, non_finite_text(value), kWidth);
  const RoundedDigits d = round_digits(value, kSig, kBySignificantDigits);
  const PaddedDigits digits(d);
  char field[32 + 48];
  std::memset(field, ' ', 32);
  char* const body = field + 32;
  char* b = body;
  if (d.negative && !d.is_zero()) *b++ = '-';
  if (!d.is_zero() && d.point >= 1 && d.point <= 7) {
    std::memcpy(b, digits.at(0), 8);  // the whole part: 1 to 7 digits
    b += d.point;
    *b++ = '.';
    std::memcpy(b, digits.at(d.point), 16);
    b += kSig - 1;
  } else {
    *b++ = *digits.at(0);
    *b++ = '.';
    std::memcpy(b, digits.at(1), 16);
    b += kSig - 1;
    *b++ = 'E';
    b = put_exponent(b, d.is_zero() ? 0 : d.point - 1, kExpWidth);
  }
  if (b - body > kWidth)
    return put_right(out, std::string_view(body, static_cast<std::size_t>(b - body)), kWidth);
  std::memcpy(out, b - kWidth, kWidth);
  return out + kWidth;
}

// Room beyond a field's width for what may run past it: an integer of more
// than 11 characters in a free-format field is written whole.
constexpr std::size_t kOverrun = 24;
// Fields up to this width are built on the stack, so the string needs no
// allocation of its own when it is short.
constexpr int kStackField = 64;

template <class Put>
std::string field_string(int width, Put put) {
  if (width <= kStackField) {
    char field[kStackField + kOverrun];
    const char* end = put(field);
    return std::string(field, static_cast<std::size_t>(end - field));
  }
  std::string field(static_cast<std::size_t>(width) + kOverrun, ' ');
  const char* end = put(field.data());
  field.resize(static_cast<std::size_t>(end - field.data()));
  return field;
}

}  // namespace

char* put_int(char* out, long long value, int width) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const std::string_view text(digits, static_cast<std::size_t>(end - digits));
  if (static_cast<long>(text.size()) > width) return asterisks(out, width);
  return put_right(out, text, width);
}

char* put_fixed(char* out, double value, int width, int decimals, int sig_digits) {
  if (!std::isfinite(value)) return asterisks(out, width);
  if (takes_scaled_path(value, decimals, sig_digits))
    return put_fixed_scaled(out, value, width, decimals);
  return put_fixed_rounded(out, value, width, decimals, sig_digits);
}

char* put_exp10(char* out, float value) {
  constexpr int kDigits = 5;
  if (!std::isfinite(value)) return asterisks(out, kExpFieldWidth);
  const RoundedDigits d = round_digits(value, kDigits, kBySignificantDigits);
  char body[24];
  char* b = body;
  if (d.negative && !d.is_zero()) *b++ = '-';
  *b++ = '.';
  for (int k = 0; k < kDigits; ++k) *b++ = d.at(k);
  *b++ = 'E';
  b = put_exponent(b, d.is_zero() ? 0 : d.point, 2);
  if (b - body > kExpFieldWidth) return asterisks(out, kExpFieldWidth);
  return put_right(out, std::string_view(body, static_cast<std::size_t>(b - body)), kExpFieldWidth);
}

char* put_free_int(char* out, long long value) {
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return put_right(out, std::string_view(digits, static_cast<std::size_t>(end - digits)),
                   kFreeIntWidth);
}

char* put_free_real(char* out, float value) {
  return put_free_real_field<kSingleDigits, kFreeRealWidth, 2>(out, value);
}

char* put_free_double(char* out, double value) {
  return put_free_real_field<kDoubleDigits, kFreeDoubleWidth, 3>(out, value);
}

std::string format_int(long long value, int width) {
  return field_string(width, [&](char* out) { return put_int(out, value, width); });
}

std::string format_fixed(double value, int width, int decimals, int sig_digits) {
  return field_string(
      width, [&](char* out) { return put_fixed(out, value, width, decimals, sig_digits); });
}

std::string format_exp10(float value) {
  return field_string(kExpFieldWidth, [&](char* out) { return put_exp10(out, value); });
}

std::string free_int_field(long long value) {
  return field_string(kFreeIntWidth, [&](char* out) { return put_free_int(out, value); });
}

std::string free_real_field(float value) {
  return field_string(kFreeRealWidth, [&](char* out) { return put_free_real(out, value); });
}

std::string free_double_field(double value) {
  return field_string(kFreeDoubleWidth, [&](char* out) { return put_free_double(out, value); });
}

char* put_shortest(char* out, float value) {
  // std::to_chars without a format gives the shortest text that round-trips;
  // 15 characters hold the longest float ("-1.1754944e-38").
  return std::to_chars(out, out + 16, value).ptr;
}

std::string shortest(float value) {
  char text[16];
  return std::string(text, put_shortest(text, value));
}

std::string shortest(double value) {
  char text[32];  // the longest double, "-2.2250738585072014e-308", takes 24
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string shortest_fixed(double value) {
  char text[400];  // the longest double in fixed notation takes 310
  return std::string(text,
                     std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr);
}

}  // namespace gridkit
