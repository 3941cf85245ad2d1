#include "gridkit/dsaa.hpp"

#include <cstring>
#include <span>
#include <string_view>

#include "gridkit/arrays.hpp"
#include "gridkit/dsaa_reader.hpp"
#include "gridkit/numfmt.hpp"

namespace gridkit {

namespace {

void write_header(OutFile& file, float zmin, float zmax) {
  const float xmin = XORIG();
  const float xmax = XORIG() + static_cast<float>(NCOL() - 1) * DELR();
  const float ymin = YORIG() - static_cast<float>(NROW() - 1) * DELC();
  const float ymax = YORIG();
  file.line("DSAA");
  file.write(Record() << NCOL() << NROW());
  file.write(Record() << xmin << xmax);
  file.write(Record() << ymin << ymax);
  file.write(Record() << zmin << zmax);
}

// One row in the fixed layout, blanked nodes written as kBlankText.
constexpr std::string_view kBlankText = " 1.70141E+38";
void write_blanked_row(OutFile& file, std::span<const float> row) {
  char line[kFixedPerLine * kBlankText.size()];
  char* end = line;
  for (std::size_t k = 0; k < row.size(); ++k) {
    if (row[k] >= kDsaaBlank) {
      std::memcpy(end, kBlankText.data(), kBlankText.size());
      end += kBlankText.size();
    } else {
      end = put_fixed(end, row[k], kFixedWidth, kFixedDecimals);
    }
    if ((k + 1) % kFixedPerLine == 0 || k + 1 == row.size()) {
      file.line(std::string_view(line, static_cast<std::size_t>(end - line)));
      end = line;
    }
  }
}

}  // namespace

void write_dsaa(OutFile& file, const RealGrid& z, float zmin, float zmax) {
  write_header(file, zmin, zmax);
  for (int i = NROW(); i >= 1; --i) write_fixed_row(file, z.row(i));
}

void write_dsaa_blanked(OutFile& file, const RealGrid& z, float zmin, float zmax) {
  write_header(file, zmin, zmax);
  for (int i = NROW(); i >= 1; --i) write_blanked_row(file, z.row(i));
}

}  // namespace gridkit
