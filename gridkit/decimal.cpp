#include "gridkit/decimal.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace gridkit {

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
  const bool maybe_tie = d.digits[keep] == '5' &&
                         d.digits.find_first_not_of('0', keep + 1) == std::string::npos;
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

}  // namespace gridkit
