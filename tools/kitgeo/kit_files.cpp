#include "tools/kitgeo/kit_files.hpp"

#include <unistd.h>

#include <charconv>
#include <cmath>
#include <span>
#include <system_error>

#include "gridkit/arrays.hpp"
#include "gridkit/error.hpp"
#include "gridkit/numfmt.hpp"
#include "gridkit/record.hpp"
#include "gridkit/temporary_files.hpp"
#include "gridkit/textfile.hpp"
#include "gridkit/whole_file.hpp"

namespace kitgeo {

namespace fs = std::filesystem;
using gridkit::IntGrid;
using gridkit::NCOL;
using gridkit::NROW;
using gridkit::RealGrid;

namespace {

constexpr int kFixedWidth = 8;    // fixed real field
constexpr int kFixedDecimals = 1;

gridkit::InFile open_input(const fs::path& folder, const std::string& name) {
  return gridkit::InFile::open_existing(folder / name, name);
}

void read_real_rows(gridkit::InFile& file, RealGrid& grid, Layout layout) {
  for (int i = 1; i <= NROW(); ++i) {
    const std::span<float> row = grid.row(i);
    switch (layout) {
      case Layout::Fixed: gridkit::read_fixed_row(file, row); break;
      case Layout::Free: gridkit::read_free_row(file, row); break;
      case Layout::Exp: gridkit::read_exp_row(file, row); break;
      case Layout::Int: break;
    }
  }
}

void write_real_rows(gridkit::OutFile& file, const RealGrid& grid, Layout layout) {
  for (int i = 1; i <= NROW(); ++i) {
    const std::span<const float> row = grid.row(i);
    switch (layout) {
      case Layout::Fixed: gridkit::write_fixed_row(file, row); break;
      case Layout::Free: file.write(gridkit::Record().reals(row)); break;
      case Layout::Exp: gridkit::write_exp_row(file, row); break;
      case Layout::Int: break;
    }
  }
}

// Shortest text that reads back as the same value.
template <class T>
std::string shortest(T value) {
  char buffer[64];
  const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, r.ptr);
}

}  // namespace

ModelArray read_model_array(const fs::path& folder, const std::string& name, Layout layout) {
  gridkit::InFile file = open_input(folder, name);
  if (layout == Layout::Int) return gridkit::read_int_grid(file);
  RealGrid grid;
  read_real_rows(file, grid, layout);
  return grid;
}

IntGrid read_ibound_array(const fs::path& folder, const std::string& name) {
  gridkit::InFile file = open_input(folder, name);
  return gridkit::read_int_grid(file);
}

bool fits_layout(double value, Layout layout) {
  if (!std::isfinite(value)) return false;
  const float single = static_cast<float>(value);
  std::string field;
  switch (layout) {
    case Layout::Int:
      return value > -99.5 && value < 999.5;  // rounds to -99 .. 999
    case Layout::Fixed:
      // Well inside "-99999.9" .. "999999.9" every value fits; nearer the
      // ends the field itself decides.
      if (std::fabs(single) < 99999.0f) return true;
      field = gridkit::format_fixed(single, kFixedWidth, kFixedDecimals);
      break;
    case Layout::Exp:
      // The field has no room for a sign; every float's exponent has two digits.
      return single >= 0.0f;
    case Layout::Free:
      return std::isfinite(single);
  }
  return field.find('*') == std::string::npos;
}

void write_model_array(const fs::path& folder, const std::string& name, Layout layout,
                       const ModelArray& array) {
  gridkit::OutFile file(folder / name, name);
  if (layout == Layout::Int) {
    const IntGrid& grid = std::get<IntGrid>(array);
    for (int i = 1; i <= NROW(); ++i) gridkit::write_int_row(file, grid.row(i));
  } else {
    write_real_rows(file, std::get<RealGrid>(array), layout);
  }
  file.close();
}

std::vector<gridkit::PointD> read_point_file(const fs::path& folder, const std::string& name) {
  gridkit::InFile file = open_input(folder, name);
  std::vector<gridkit::PointD> points;
  while (const std::optional<gridkit::PointD> p = gridkit::read_point_double(file)) points.push_back(*p);
  return points;
}

void write_point_file(const fs::path& folder, const std::string& name,
                      const std::vector<gridkit::PointD>& points) {
  gridkit::OutFile file(folder / name, name);
  for (const gridkit::PointD& p : points) {
    file.line(shortest(p.x) + ' ' + shortest(p.y) + ' ' + shortest(p.z));
  }
  file.close();
}

namespace {
constexpr const char* kSideFiles[] = {"-journal", "-wal", "-shm"};
}  // namespace

PendingOutput::PendingOutput(const fs::path& folder, const std::string& name) : output_(folder / name, name) {
  if (output_.straight_through()) {
    int fd = -1;
    staging_ = gridkit::create_temporary_beside(fs::temp_directory_path() / ("kitgeo-" + fs::path(name).filename().string()),
                                                name, fd);
    ::close(fd);
  } else {
    staging_ = output_.temporary();
  }
  // GDAL's drivers create their file themselves; the name stays on the list
  // of temporary files, so an interrupt still removes what GDAL made, and so
  // do the journal files SQLite keeps beside a GeoPackage while writing it.
  ::unlink(staging_.c_str());
  for (const char* side : kSideFiles) gridkit::list_temporary(staging_.string() + side);
}

PendingOutput::~PendingOutput() {
  if (output_.straight_through()) gridkit::remove_temporary(staging_);
  for (const char* side : kSideFiles) gridkit::remove_temporary(staging_.string() + side);
}

void PendingOutput::commit() {
  if (output_.straight_through()) {
    const gridkit::WholeFile made = gridkit::read_whole_file(staging_, output_.name());
    output_.write(made.bytes.get(), made.size);
  }
  output_.commit();
}

}  // namespace kitgeo
