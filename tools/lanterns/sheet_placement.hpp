// The fixed placement of the map sheet on the digitizer tablet: a rotation,
// a shift, a scale and a false origin, all in single precision.
#pragma once

#include <complex>

namespace lanterns {

inline constexpr float kRotationDegrees = 0.7f;  // sheet rotation, counter-clockwise
// Degrees to radians, as the tool has always taken it (not pi / 180 rounded).
inline constexpr float kDegreesToRadians = 0.0174537f;
inline constexpr float kAngleFactor = 1.0f;        // further factor on the angle
inline constexpr float kShiftX = -1.047f;          // shift along X after rotation, digitizer units
inline constexpr float kShiftY = -0.7f;            // shift along Y after rotation, digitizer units
inline constexpr float kMetresPerUnit = 12700.0f;  // CRSTM metres per digitizer unit
inline constexpr float kFalseOriginX = 290068.0f;  // CRSTM X of the shifted digitizer origin
inline constexpr float kFalseOriginY = 88628.0f;   // CRSTM Y of the shifted digitizer origin

// The rotation as a complex number (cos a, sin a), with the angle
// a = kRotationDegrees * kDegreesToRadians * kAngleFactor in single precision.
std::complex<float> rotation();
inline const std::complex<float> kShift{kShiftX, kShiftY};

// (x + iy) * rotor + shift. Each part of the product, x cos - y sin and
// x sin + y cos, is formed exactly and rounded once to single precision;
// the shift is then one single-precision addition.
void rotate_and_shift(float& x, float& y, std::complex<float> rotor, std::complex<float> shift);

// A digitizer point to CRSTM metres: rotate_and_shift, then scale and false
// origin, one single-precision rounding per operation.
void to_crstm(float& x, float& y);

// a + b, for doubles holding exact products of two singles, rounded once
// to single precision (no double rounding through the double sum).
float sum_rounded_once(double a, double b);

}  // namespace lanterns
