// The exact look of every number the kit prints.
//
// Rounding: a real is rounded once, from its exact binary value, at the
// coarser of the field's last decimal and its last significant digit (7th for
// single precision, 16th for double); places beyond are written as 0; an exact
// tie rounds away from zero. A value that rounds to zero has no minus sign.
#pragma once

#include <string>

namespace gridkit {

inline constexpr int kSingleDigits = 7;   // significant digits shown of a float
inline constexpr int kDoubleDigits = 16;  // significant digits shown of a double

// Integer right-justified in `width`; asterisks when it does not fit.
std::string format_int(long long value, int width);

// Fixed-point field: right-justified, `decimals` after the point, no zero
// before the point for magnitudes below 1 (unless the field would show no
// digit at all), asterisks when too wide or not finite.
std::string format_fixed(double value, int width, int decimals, int sig_digits = kSingleDigits);

// The exponent layout of conductivity arrays: point, five significant digits,
// E, sign, two exponent digits, in a field of 10 (12.5 -> ".12500E+02").
// Negative values do not fit and show as asterisks.
inline constexpr int kExpFieldWidth = 10;
std::string format_exp10(float value);

// Free-format (list) output fields, without the separating blank:
// integer in 11, single real in 15, double real in 24.
inline constexpr int kFreeIntWidth = 11;
inline constexpr int kFreeRealWidth = 15;
inline constexpr int kFreeDoubleWidth = 24;
std::string free_int_field(long long value);
std::string free_real_field(float value);
std::string free_double_field(double value);

// The same fields written straight into a caller's buffer, for writers that
// build a whole line or record at once. Each returns the end of what it
// wrote: exactly the field's width, except that put_free_int writes an
// integer longer than its field whole; `out` needs room for the width (and
// 20 characters for put_free_int).
char* put_int(char* out, long long value, int width);
char* put_fixed(char* out, double value, int width, int decimals, int sig_digits = kSingleDigits);
char* put_exp10(char* out, float value);
char* put_free_int(char* out, long long value);
char* put_free_real(char* out, float value);
char* put_free_double(char* out, double value);

// The shortest decimal text that reads back as `value` ("440.1", "1e-05"),
// for files that must hold exactly the kit's numbers. put_shortest needs
// room for 16 characters.
char* put_shortest(char* out, float value);
std::string shortest(float value);
std::string shortest(double value);
// The same digits, never with an exponent: a CRSTM position of 500000 m is
// "500000", not "5e+05".
std::string shortest_fixed(double value);

}  // namespace gridkit
