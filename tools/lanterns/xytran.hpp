// The fixed placement of the map sheet on the digitizer tablet: a rotation,
// a shift, a scale and a false origin, all in single precision.
#pragma once

#include <complex>

namespace lanterns {

inline constexpr float THETA = 0.7f;         // sheet rotation, degrees, counter-clockwise
inline constexpr float C = 0.0174537f;       // degrees to radians as the tool has always used it
inline constexpr float XL = 1.0f;            // further factor on the angle
inline constexpr float TXDEL = -1.047f;      // shift along X after rotation, digitizer units
inline constexpr float TYDEL = -0.7f;        // shift along Y after rotation, digitizer units
inline constexpr float SCALE = 12700.0f;     // CRSTM metres per digitizer unit
inline constexpr float X_ORIGIN = 290068.0f;  // CRSTM X of the shifted digitizer origin
inline constexpr float Y_ORIGIN = 88628.0f;   // CRSTM Y of the shifted digitizer origin

// The rotation as a complex number (cos ANG, sin ANG), ANG = THETA*C*XL.
std::complex<float> rotation();
inline const std::complex<float> ZTRANS{TXDEL, TYDEL};

// (X + iY)*ZROT + ZTRANS. Each part of the product, X*cos - Y*sin and
// X*sin + Y*cos, is formed exactly and rounded once to single precision;
// the shift is then one single-precision addition.
void XYTRAN(float& x, float& y, std::complex<float> zrot, std::complex<float> ztrans);

// A digitizer point to CRSTM metres: XYTRAN, then scale and false origin,
// one single-precision rounding per operation.
void to_crstm(float& x, float& y);

// a + b, for doubles holding exact products of two singles, rounded once
// to single precision (no double rounding through the double sum).
float sum_rounded_once(double a, double b);

}  // namespace lanterns
