#include "gridkit/decimal.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace gridkit {

namespace {

// The powers of ten a double holds exactly.
constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPow10 = 22;

// `count` significant digits of `mag` (positive, finite) into `digits`,
// correctly rounded from the exact value with exact ties to even (what
// to_chars with a precision gives). Returns the decimal point's position:
// the rounded value is 0.DIGITS x 10^point.
int scientific_digits(double mag, int count, char* digits) {
  // "d.ddde+XX" (or "de+XX" for one digit); the exponent has 2 or 3 digits.
  char text[kMaxRoundedDigits + 16];
  const char* end = std::to_chars(text, text + sizeof text, mag, std::chars_format::scientific, count - 1).ptr;
  digits[0] = text[0];
  const char* p = text + 1;
  if (*p == '.') {
    ++p;
    for (int i = 1; i < count; ++i) digits[i] = *p++;
  }
  ++p;  // the 'e'
  const bool negative_exponent = *p++ == '-';
  int exponent = 0;
  for (; p < end; ++p) exponent = exponent * 10 + (*p - '0');
  return (negative_exponent ? -exponent : exponent) + 1;
}

// True when `mag` lies exactly halfway between two neighbouring multiples of
// 10^-k (for k below 0, of 10^|k|): the only case in which ties-to-even and
// ties-away-from-zero differ.
bool is_tie(double mag, int k) {
  if (k >= 0) {
    // mag = (n + 1/2) 10^-k  <=>  mag 2^(k+1) 5^k is an odd integer
    //                        <=>  mag 2^(k+1) is an odd integer (5^k is odd)
    //                        <=>  the lowest set bit of mag is 2^-(k+1).
    int exponent = 0;
    const double fraction = std::frexp(mag, &exponent);  // mag = fraction 2^exponent
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    return std::countr_zero(mantissa) + exponent - 53 == -(k + 1);
  }
  // mag = (2n + 1) 5^q 2^(q-1): its odd part is a multiple of 5^q, which a
  // 53-bit mantissa cannot hold past q = 22. Below that fmod is exact.
  const int q = -k;
  if (q > kLargestExactPow10) return false;
  return std::fmod(mag, kExactPow10[q]) == 0.5 * kExactPow10[q];
}

// For a rounding above the first digit (to a multiple of 10^point, with
// mag below 10^point): true when mag reaches half of 10^point, a tie
// included. The first digit usually decides; only a 5 needs every digit.
bool reaches_half_of_next_power(double mag, int point) {
  char first = 0;
  const int rounded_point = scientific_digits(mag, 1, &first);
  if (rounded_point > point) return true;  // rounded up to 10^point: at least 0.95 of it
  if (first != '5') return first > '5';
  // The exact expansion: a double has at most 767 significant digits.
  char exact[800];
  std::to_chars(exact, exact + sizeof exact, mag, std::chars_format::scientific, 780);
  return exact[0] >= '5';
}

void drop_trailing_zeros(RoundedDigits& r) {
  while (r.count > 0 && r.digits[r.count - 1] == '0') --r.count;
  if (r.count == 0) r.point = 0;
}

}  // namespace

RoundedDigits round_digits(double value, int sig_digits, int decimals) {
  RoundedDigits r;
  if (value == 0.0) return r;
  const double mag = std::fabs(value);
  // Rounded to `sig_digits` first. Its point is the value's own, or one more
  // when the rounding carried into a new leading digit; in that case any
  // coarser rounding gives that same power of ten, so the point serves both.
  int point = scientific_digits(mag, sig_digits, r.digits);
  const long keep_by_place = static_cast<long>(point) + decimals;
  const int keep = static_cast<int>(std::min<long>(sig_digits, keep_by_place));
  if (keep < 0) return RoundedDigits{};
  if (keep == 0) {
    if (!reaches_half_of_next_power(mag, point)) return RoundedDigits{};
    r.negative = value < 0;
    r.count = 1;
    r.digits[0] = '1';
    r.point = point + 1;
    return r;
  }
  if (is_tie(mag, keep - point)) {
    // One more digit holds the tie exactly ("...5"); round away from zero.
    char tie[kMaxRoundedDigits + 1];
    scientific_digits(mag, keep + 1, tie);
    std::copy(tie, tie + keep, r.digits);
    int i = keep - 1;
    while (i >= 0 && r.digits[i] == '9') r.digits[i--] = '0';
    if (i >= 0) {
      ++r.digits[i];
    } else {
      r.digits[0] = '1';
      ++point;
    }
  } else if (keep < sig_digits) {
    point = scientific_digits(mag, keep, r.digits);
  }
  r.negative = value < 0;
  r.count = keep;
  r.point = point;
  drop_trailing_zeros(r);
  return r;
}

Decimal round_decimal(double value, int sig_digits, int decimals) {
  const RoundedDigits r = round_digits(value, sig_digits, decimals);
  Decimal d;
  d.negative = r.negative;
  d.digits.assign(r.digits, static_cast<std::size_t>(r.count));
  d.point = r.point;
  return d;
}

}  // namespace gridkit
