// The CRSTM point file: one point per line, X Y Z in free format, values
// after the third ignored, a short line continuing on the next, the end of
// the file ending the list. PLOVER reads X and Y in double precision; the
// gridding and curve tools read all three values in single precision.
#pragma once

#include <optional>

#include "gridkit/textfile.hpp"

namespace gridkit {

struct PointD {
  double x;
  double y;
  float z;
};

struct PointF {
  float x;
  float y;
  float z;
};

struct PointXY {
  float x;
  float y;
};

std::optional<PointD> read_point_double(InFile& file);
std::optional<PointF> read_point_single(InFile& file);
// Only X and Y of each line, the rest of the line ignored.
std::optional<PointXY> read_point_xy(InFile& file);

}  // namespace gridkit
