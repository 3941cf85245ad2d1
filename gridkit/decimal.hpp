// Exact decimal rounding of binary floating-point values, the single source
// of every printed real's digits.
//
// The rounding is done once, from the exact binary value, half away from
// zero. Most values take a fast path: the value scaled by an exact power of
// ten, formed exactly as a sum of two doubles, rounded to an integer. Values
// it cannot decide (within a hair of a half, subnormals, extreme exponents)
// take the exact path: std::to_chars with a precision rounds the exact value
// correctly, only with exact ties to even, so an exact tie (found by bit
// arithmetic) is rounded away from zero by hand. No allocation on any path.
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

// The same in a fixed buffer: at most kMaxRoundedDigits significant digits.
inline constexpr int kMaxRoundedDigits = 17;
struct RoundedDigits {
  bool negative = false;
  int count = 0;  // significant digits held, trailing zeros dropped
  int point = 0;
  char digits[kMaxRoundedDigits] = {};
  bool is_zero() const { return count == 0; }
  // Digit number `index` (0 is the first significant one); '0' outside.
  char at(int index) const { return index >= 0 && index < count ? digits[index] : '0'; }
};

// The exact value of finite `value`, rounded once to keep at most
// `sig_digits` (1 to kMaxRoundedDigits) significant digits and no place finer
// than 10^-decimals (pass a large `decimals` to round by significant digits
// only). An exact tie rounds away from zero. Trailing zero digits are dropped.
RoundedDigits round_digits(double value, int sig_digits, int decimals);

// As round_digits, with the digits in a string.
Decimal round_decimal(double value, int sig_digits, int decimals);

}  // namespace gridkit
