#include "tools/lanterns/sheet_placement.hpp"

#include <cmath>
#include <limits>

namespace lanterns {

std::complex<float> rotation() {
  const float angle = kRotationDegrees * kDegreesToRadians * kAngleFactor;
  const float cos_angle = static_cast<float>(std::cos(static_cast<double>(angle)));
  const float sin_angle = static_cast<float>(std::sin(static_cast<double>(angle)));
  return {cos_angle, sin_angle};
}

float sum_rounded_once(double a, double b) {
  // Two-sum: hi + lo is exactly a + b.
  const double hi = a + b;
  const double b_part = hi - a;
  const double a_part = hi - b_part;
  const double lo = (a - a_part) + (b - b_part);
  const float nearest = static_cast<float>(hi);
  if (lo == 0.0 || !std::isfinite(hi) || static_cast<double>(nearest) == hi) return nearest;
  // hi rounds to the same single as hi + lo unless hi sits exactly halfway
  // between two singles; then the sign of lo decides.
  const float below = (static_cast<double>(nearest) < hi)
                          ? nearest
                          : std::nextafter(nearest, -std::numeric_limits<float>::infinity());
  const float above = std::nextafter(below, std::numeric_limits<float>::infinity());
  const double halfway = (static_cast<double>(below) + static_cast<double>(above)) / 2.0;
  if (hi != halfway) return nearest;
  return lo > 0.0 ? above : below;
}

void rotate_and_shift(float& x, float& y, std::complex<float> rotor, std::complex<float> shift) {
  // Products of two singles are exact in double precision.
  const double x_cos = static_cast<double>(x) * rotor.real();
  const double y_sin = static_cast<double>(y) * rotor.imag();
  const double x_sin = static_cast<double>(x) * rotor.imag();
  const double y_cos = static_cast<double>(y) * rotor.real();
  const float real_part = sum_rounded_once(x_cos, -y_sin);
  const float imag_part = sum_rounded_once(x_sin, y_cos);
  x = real_part + shift.real();
  y = imag_part + shift.imag();
}

void to_crstm(float& x, float& y) {
  rotate_and_shift(x, y, rotation(), kShift);
  const float x_scaled = x * kMetresPerUnit;
  const float y_scaled = y * kMetresPerUnit;
  x = x_scaled + kFalseOriginX;
  y = y_scaled + kFalseOriginY;
}

}  // namespace lanterns
