#include "gridkit/dsaa.hpp"

#include <span>

#include "gridkit/arrays.hpp"

namespace gridkit {

void write_dsaa(OutFile& file, const RealGrid& z, float zmin, float zmax) {
  const float xmin = XORIG;
  const float xmax = XORIG + static_cast<float>(NCOL - 1) * DELR;
  const float ymin = YORIG - static_cast<float>(NROW - 1) * DELC;
  const float ymax = YORIG;
  file.line("DSAA");
  file.write(Record() << NCOL << NROW);
  file.write(Record() << xmin << xmax);
  file.write(Record() << ymin << ymax);
  file.write(Record() << zmin << zmax);
  for (int i = NROW; i >= 1; --i) write_fixed_row(file, z.row(i));
}

}  // namespace gridkit
