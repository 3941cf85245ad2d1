// Exact decimal rounding of binary floating-point values, the single source
// of every printed real's digits.
#pragma once

#include <string>

namespace gridkit {

// A finite value as 0.DIGITS x 10^point (digits[0] is the first significant
// digit, of place value 10^(point-1)). Zero has no digits.
struct Decimal {
  bool negative = false;
  std::string digits;
  int point = 0;
  bool is_zero() const { return digits.empty(); }
};

// The exact value of `value`, rounded once to keep at most `sig_digits`
// significant digits and no place finer than 10^-decimals (pass a large
// `decimals` to round by significant digits only). An exact tie rounds away
// from zero. Trailing zero digits are dropped.
Decimal round_decimal(double value, int sig_digits, int decimals);

}  // namespace gridkit
