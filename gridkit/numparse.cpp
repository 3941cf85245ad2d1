#include "gridkit/numparse.hpp"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <type_traits>
#include <vector>

namespace gridkit {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Fields and tokens up to this length are worked on in a buffer on the
// stack; longer ones (never written by the kit) take a heap buffer.
constexpr std::size_t kShortText = 64;

// A scratch buffer of at least `size` characters, on the stack when short.
class Scratch {
 public:
  explicit Scratch(std::size_t size) {
    if (size > kShortText) {
      heap_.resize(size);
      data_ = heap_.data();
    }
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  char* data() { return data_; }

 private:
  char local_[kShortText];
  std::vector<char> heap_;
  char* data_ = local_;
};

// Checks the written form of a real and copies it into `out` (room for
// token.size() + 1) in the form from_chars and strtod take: leading '+'
// dropped, a D exponent written as E, a NUL after it. Returns the length,
// or -1 when the token is not a number.
long normalise_real(std::string_view token, char* out) {
  char* o = out;
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
    if (token[i] == '-') *o++ = '-';
    ++i;
  }
  int mantissa_digits = 0;
  while (i < token.size() && is_digit(token[i])) {
    *o++ = token[i++];
    ++mantissa_digits;
  }
  if (i < token.size() && token[i] == '.') {
    *o++ = token[i++];
    while (i < token.size() && is_digit(token[i])) {
      *o++ = token[i++];
      ++mantissa_digits;
    }
  }
  if (mantissa_digits == 0) return -1;
  if (i < token.size()) {
    const char e = token[i];
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return -1;
    *o++ = 'e';
    ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) *o++ = token[i++];
    int exponent_digits = 0;
    while (i < token.size() && is_digit(token[i])) {
      *o++ = token[i++];
      ++exponent_digits;
    }
    if (exponent_digits == 0 || i != token.size()) return -1;
  }
  *o = '\0';
  return o - out;
}

// The common number read without copying: a mantissa of at most 19 digits
// and a small decimal exponent convert exactly with one correctly rounded
// operation (m and 10^|e| exact in T, then one multiplication or division),
// which is what strtof/strtod give. Anything else (a malformed text, long
// mantissas, large exponents) is left to the general path.
struct ScannedDecimal {
  bool simple = false;  // well-formed and small enough for the quick conversion
  bool blank = false;   // nothing but blanks
  bool negative = false;
  std::uint64_t mantissa = 0;
  int exponent = 0;  // value = mantissa 10^exponent
};

constexpr int kMaxMantissaDigits = 19;  // below 2^64
constexpr int kMaxExponentDigits = 4;

// Scans [sign] digits [. digits] [E|e|D|d [sign] digits]; with
// `skip_blanks` blanks anywhere are ignored (fixed-column fields), and a
// mantissa without a point takes `implied_places` implied decimals.
ScannedDecimal scan_decimal(std::string_view text, bool skip_blanks, int implied_places) {
  ScannedDecimal d;
  std::size_t i = 0;
  const auto skip = [&] {
    if (skip_blanks) {
      while (i < text.size() && text[i] == ' ') ++i;
    }
  };
  skip();
  if (i == text.size()) {
    d.blank = true;
    return d;
  }
  if (text[i] == '+' || text[i] == '-') d.negative = text[i++] == '-';
  int digits = 0;
  bool point = false;
  int places = 0;
  for (;; ++i) {
    skip();
    if (i == text.size()) break;
    const char c = text[i];
    if (is_digit(c)) {
      if (++digits > kMaxMantissaDigits) return d;
      d.mantissa = d.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (point) ++places;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return d;
  int exponent = 0;
  if (i < text.size()) {
    const char e = text[i++];
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return d;
    skip();
    bool negative_exponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative_exponent = text[i++] == '-';
    int exponent_digits = 0;
    for (;; ++i) {
      skip();
      if (i == text.size()) break;
      if (!is_digit(text[i]) || ++exponent_digits > kMaxExponentDigits) return d;
      exponent = exponent * 10 + (text[i] - '0');
    }
    if (exponent_digits == 0) return d;
    if (negative_exponent) exponent = -exponent;
  }
  if (!point) places = implied_places;
  d.exponent = exponent - places;
  d.simple = true;
  return d;
}

// The largest mantissa and power of ten that T holds exactly.
template <class T>
constexpr std::uint64_t kExactMantissa = std::is_same_v<T, float> ? (1u << 24)
                                                                  : (std::uint64_t{1} << 53);
template <class T>
constexpr int kExactPowerOfTen = std::is_same_v<T, float> ? 10 : 22;

template <class T>
constexpr T kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of a simple scan when one rounding gives it exactly; nullopt
// when the general path must decide.
template <class T>
std::optional<T> quick_value(const ScannedDecimal& d) {
  if (!d.simple || d.mantissa > kExactMantissa<T> || d.exponent > kExactPowerOfTen<T> ||
      d.exponent < -kExactPowerOfTen<T>) {
    return std::nullopt;
  }
  const T m = static_cast<T>(d.mantissa);
  const T value =
      d.exponent >= 0 ? m * kPowersOfTen<T>[d.exponent] : m / kPowersOfTen<T>[-d.exponent];
  return d.negative ? -value : value;
}

// The checked text of a real, correctly rounded to T. from_chars rounds
// exactly as strtof/strtod do; outside the type's range it reports an error
// and strtof/strtod decide as they always have (an overflow is not a
// number, an underflow reads as the subnormal or zero it rounds to).
template <class T>
std::optional<T> convert(const char* text, long length) {
  T value{};
  const auto [end, ec] = std::from_chars(text, text + length, value);
  if (ec == std::errc() && end == text + length) return value;
  errno = 0;
  char* stop = nullptr;
  if constexpr (std::is_same_v<T, float>) {
    value = std::strtof(text, &stop);
  } else {
    value = std::strtod(text, &stop);
  }
  if (stop != text + length) return std::nullopt;
  if (errno == ERANGE && std::isinf(value)) return std::nullopt;  // too large for the type
  return value;
}

template <class T>
std::optional<T> parse_real(std::string_view token) {
  if (const std::optional<T> quick = quick_value<T>(scan_decimal(token, false, 0))) return quick;
  Scratch text(token.size() + 1);
  const long length = normalise_real(token, text.data());
  if (length < 0) return std::nullopt;
  return convert<T>(text.data(), length);
}

// `field` without its blanks into `out` (room for field.size()); returns the length.
std::size_t copy_without_blanks(std::string_view field, char* out) {
  std::size_t n = 0;
  for (const char c : field) {
    if (c != ' ') out[n++] = c;
  }
  return n;
}

// Puts the implied decimal point into a mantissa written without one:
// "1234" with 1 place becomes "123.4", "15" with 5 places "0.00015". Writes
// into `out` (room for text.size() + places + 2); returns the length.
std::size_t put_implied_point(std::string_view text, int places, char* out) {
  const std::size_t start = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  std::size_t end = start;
  while (end < text.size() && is_digit(text[end])) ++end;
  const std::size_t digits = end - start;
  char* o = out;
  if (digits == 0 || places <= 0) {
    for (const char c : text) *o++ = c;
    return text.size();
  }
  const auto point_places = static_cast<std::size_t>(places);
  for (std::size_t i = 0; i < start; ++i) *o++ = text[i];
  // Leading zeros so that at least one digit stands before the point.
  const std::size_t zeros = digits <= point_places ? point_places - digits + 1 : 0;
  const std::size_t padded = zeros + digits;
  for (std::size_t j = 0; j < padded; ++j) {
    if (j == padded - point_places) *o++ = '.';
    *o++ = j < zeros ? '0' : text[start + j - zeros];
  }
  for (std::size_t i = end; i < text.size(); ++i) *o++ = text[i];
  return static_cast<std::size_t>(o - out);
}

template <class T>
std::optional<T> parse_fixed_real(std::string_view field, int implied_decimals) {
  const ScannedDecimal scanned = scan_decimal(field, true, std::max(implied_decimals, 0));
  if (scanned.blank) return T{0};
  if (const std::optional<T> quick = quick_value<T>(scanned)) return quick;
  Scratch compact(field.size());
  const std::size_t length = copy_without_blanks(field, compact.data());
  const std::string_view text(compact.data(), length);
  if (text.empty()) return T{0};
  if (text.find('.') != std::string_view::npos || implied_decimals <= 0) return parse_real<T>(text);
  Scratch pointed(length + static_cast<std::size_t>(implied_decimals) + 2);
  const std::size_t pointed_length = put_implied_point(text, implied_decimals, pointed.data());
  return parse_real<T>(std::string_view(pointed.data(), pointed_length));
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
  Scratch compact(field.size());
  const std::size_t length = copy_without_blanks(field, compact.data());
  if (length == 0) return 0;
  return parse_integer(std::string_view(compact.data(), length));
}

}  // namespace gridkit
