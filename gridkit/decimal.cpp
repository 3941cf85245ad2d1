#include "gridkit/decimal.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace gridkit {

namespace {

// The powers of ten a double holds exactly.
constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPow10 = 22;

// The same as integers, up to 10^17.
constexpr std::uint64_t kExactPow10Int[] = {1,
                                            10,
                                            100,
                                            1000,
                                            10000,
                                            100000,
                                            1000000,
                                            10000000,
                                            100000000,
                                            1000000000,
                                            10000000000,
                                            100000000000,
                                            1000000000000,
                                            10000000000000,
                                            100000000000000,
                                            1000000000000000,
                                            10000000000000000,
                                            100000000000000000};

// The doubles nearest to 10^k, k from -kNearPow10Range to kNearPow10Range.
constexpr int kNearPow10Range = 40;
constexpr double kNearPow10[] = {
    1e-40, 1e-39, 1e-38, 1e-37, 1e-36, 1e-35, 1e-34, 1e-33, 1e-32, 1e-31, 1e-30, 1e-29,
    1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17,
    1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,
    1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,   1e5,   1e6,   1e7,
    1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,
    1e20,  1e21,  1e22,  1e23,  1e24,  1e25,  1e26,  1e27,  1e28,  1e29,  1e30,  1e31,
    1e32,  1e33,  1e34,  1e35,  1e36,  1e37,  1e38,  1e39,  1e40};
static_assert(sizeof kNearPow10 / sizeof kNearPow10[0] == 2 * kNearPow10Range + 1);

// The fast path handles up to this many kept digits: the scaled value stays
// below 10^16, where a double's ulp is at most 2.
constexpr int kFastDigits = 16;
// How close to a half the fast path's fraction may come before the exact path
// decides; its own error is below 2^-50.
constexpr double kHalfGuard = 1.0 / (1 << 30);
// The mantissa bits of a double beyond a float's 24, and the largest power of
// ten (5^12 < 2^28) whose product with a float's mantissa stays exact.
constexpr std::uint64_t kBelowSingleMantissa = (std::uint64_t{1} << 29) - 1;
constexpr int kExactSingleScale = 12;

// `count` significant digits of `mag` (positive, finite) into `digits`,
// correctly rounded from the exact value with exact ties to even (what
// to_chars with a precision gives). Returns the decimal point's position:
// the rounded value is 0.DIGITS x 10^point.
int scientific_digits(double mag, int count, char* digits) {
  // "d.ddde+XX" (or "de+XX" for one digit); the exponent has 2 or 3 digits.
  char text[kMaxRoundedDigits + 16];
  const char* end =
      std::to_chars(text, text + sizeof text, mag, std::chars_format::scientific, count - 1).ptr;
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

// The rounding error of the product p = a b (rounded to nearest), exactly:
// a b - p, by splitting each factor into halves of 26 bits whose products
// are exact (no fused multiply-add on the baseline instruction set, and
// floating-point contraction is off).
double product_error(double a, double b, double p) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double ca = kSplitter * a;
  const double a_hi = ca - (ca - a);
  const double a_lo = a - a_hi;
  const double cb = kSplitter * b;
  const double b_hi = cb - (cb - b);
  const double b_lo = b - b_hi;
  return ((a_hi * b_hi - p) + a_hi * b_lo + a_lo * b_hi) + a_lo * b_lo;
}

// The eight decimal digits of x (below 10^8), leading zeros included, as
// the values 0..9 in the bytes of a word, the first digit in the lowest
// byte (its first byte in memory). Each step splits every lane of the word
// at once: 4 + 4 digits in 32-bit lanes, then 2 + 2 in 16-bit lanes, then
// 1 + 1 in bytes; the quotients by 100 and 10 are exact for these ranges
// (x * 10486 >> 20 for x below 10^4, x * 103 >> 10 for x below 100).
std::uint64_t eight_digit_values(std::uint32_t x) {
  std::uint64_t v = (x / 10000) | (static_cast<std::uint64_t>(x % 10000) << 32);
  std::uint64_t q = ((v * 10486) >> 20) & 0x0000007F0000007FULL;
  v = q | ((v - q * 100) << 16);
  q = ((v * 103) >> 10) & 0x000F000F000F000FULL;
  return q | ((v - q * 10) << 8);
}

constexpr std::uint64_t kAsciiZeros = 0x3030303030303030ULL;

void drop_trailing_zeros(RoundedDigits& r) {
  while (r.count > 0 && r.digits[r.count - 1] == '0') --r.count;
  if (r.count == 0) r.point = 0;
}

// The rounding by scaling: with p the value's point and `keep` the digits to
// keep, t = mag 10^(keep-p) is formed exactly as hi + lo (one multiplication
// or division by an exact power of ten and its exact error term), and
// rounded half away from zero to the integer n, whose digits are the result.
// Returns false, leaving the decision to the exact path, when the point is
// out of the table's range, the scale is not an exact power of ten, or t
// comes within kHalfGuard of a half (exact ties among them).
//
// The point: 10^(p0-1) <= 2^(e-1) <= mag < 2^e < 10^(p0+1), so p is p0 or
// p0 + 1, decided by comparing with the double nearest to 10^p0. That
// comparison errs only when mag is that very double, which the exact path
// takes.
bool round_by_scaling(double mag, int sig_digits, int decimals, RoundedDigits& r) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(mag);
  const int biased_exponent = static_cast<int>(bits >> 52);
  if (biased_exponent == 0) return false;                   // subnormal: the exact path
  const int binary_exponent = biased_exponent - 1022;       // mag = f 2^e, f in [1/2, 1)
  int point = (((binary_exponent - 1) * 78913) >> 18) + 1;  // floor((e-1) log10 2) + 1
  if (point < -kNearPow10Range || point > kNearPow10Range) return false;
  const double near_power = kNearPow10[point + kNearPow10Range];
  // Equal to an inexact power's double: which side of 10^point it lies on
  // matters at 16 digits, so the exact path decides.
  if (mag == near_power && (point < 0 || point > kLargestExactPow10)) return false;
  if (mag >= near_power) ++point;
  const long keep_by_place = static_cast<long>(point) + decimals;
  const int keep = static_cast<int>(std::min<long>(sig_digits, keep_by_place));
  if (keep < 0) {  // below half the rounding unit
    r = RoundedDigits{};
    return true;
  }
  const int scale = keep - point;
  if (scale < -kLargestExactPow10 || scale > kLargestExactPow10) return false;
  double hi = 0.0;
  double lo = 0.0;
  if (scale >= 0) {
    const double factor = kExactPow10[scale];
    hi = mag * factor;
    // A single-precision mantissa (24 bits) times 5^12 or less fits in 53
    // bits: the product is exact. Otherwise its rounding error is split out.
    const bool exact = scale <= kExactSingleScale && (bits & kBelowSingleMantissa) == 0;
    lo = exact ? 0.0 : product_error(mag, factor, hi);
  } else {
    const double divisor = kExactPow10[-scale];
    hi = mag / divisor;
    // The remainder mag - hi divisor is exact: mag - p by Sterbenz's lemma,
    // less the product's error.
    const double p = hi * divisor;
    const double remainder = (mag - p) - product_error(hi, divisor, p);
    lo = remainder / divisor;
  }
  // t = floor(hi) + frac, frac in (-1, 2) since |lo| is at most 1 below 10^16.
  const double whole = static_cast<double>(static_cast<std::uint64_t>(hi));
  const double frac = (hi - whole) + lo;
  if (std::fabs(frac - 0.5) < kHalfGuard || std::fabs(frac + 0.5) < kHalfGuard ||
      std::fabs(frac - 1.5) < kHalfGuard) {
    return false;
  }
  auto n = static_cast<std::uint64_t>(whole);
  if (frac > 1.5) {
    n += 2;
  } else if (frac > 0.5) {
    n += 1;
  } else if (frac < -0.5) {
    n -= 1;
  }
  r = RoundedDigits{};
  if (n == 0) return true;
  // n has `keep` digits, or is 10^keep when the rounding carried (keep may
  // be 0: n is then 1).
  int digits = std::max(keep, 1);
  if (n >= kExactPow10Int[digits]) {
    n /= 10;
    ++point;
  }
  // The digits of n as byte values, the last eight in `low`, those before
  // in `high`; a word shifted right drops its leading digits. The trailing
  // zeros are the zero bytes at the top of the last word that holds a digit
  // other than 0 (n is not 0).
  static_assert(kFastDigits <= 16, "two words of eight digits");
  const std::uint64_t low = eight_digit_values(static_cast<std::uint32_t>(n % 100000000));
  int zeros = 0;
  if (digits <= 8) {
    const std::uint64_t word = low >> (8 * (8 - digits));
    const std::uint64_t text = word + kAsciiZeros;
    std::memcpy(r.digits, &text, 8);
    zeros = std::countl_zero(word) / 8 - (8 - digits);
  } else {
    const std::uint64_t high =
        eight_digit_values(static_cast<std::uint32_t>(n / 100000000)) >> (8 * (16 - digits));
    const std::uint64_t high_text = high + kAsciiZeros;
    const std::uint64_t low_text = low + kAsciiZeros;
    std::memcpy(r.digits, &high_text, 8);
    std::memcpy(r.digits + (digits - 8), &low_text, 8);
    zeros = low != 0 ? std::countl_zero(low) / 8 : 8 + std::countl_zero(high) / 8 - (16 - digits);
  }
  r.count = digits - zeros;
  r.point = point - keep + digits;
  return true;
}

}  // namespace

RoundedDigits round_digits(double value, int sig_digits, int decimals) {
  RoundedDigits r;
  if (value == 0.0) return r;
  const double mag = std::fabs(value);
  if (sig_digits <= kFastDigits && round_by_scaling(mag, sig_digits, decimals, r)) {
    r.negative = value < 0 && !r.is_zero();
    return r;
  }
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
