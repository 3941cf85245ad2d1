#include "tools/kitgeo/kit_files.hpp"

#include <unistd.h>

#include "gridkit/arrays.hpp"
#include "gridkit/error.hpp"
#include "gridkit/numfmt.hpp"
#include "gridkit/temporary_files.hpp"
#include "gridkit/textfile.hpp"
#include "gridkit/whole_file.hpp"

namespace kitgeo {

namespace fs = std::filesystem;
using gridkit::IntGrid;
using gridkit::RealGrid;

namespace {

gridkit::InFile open_input(const fs::path& folder, const std::string& name) {
  return gridkit::InFile::open_existing(folder / name, name);
}

}  // namespace

ModelArray read_model_array(const fs::path& folder, const std::string& name, ArrayLayout layout) {
  gridkit::InFile file = open_input(folder, name);
  ModelArray array = layout == ArrayLayout::Int ? ModelArray(IntGrid()) : ModelArray(RealGrid());
  std::visit([&](auto& grid) { gridkit::read_grid(file, grid, layout); }, array);
  return array;
}

IntGrid read_ibound_array(const fs::path& folder, const std::string& name) {
  gridkit::InFile file = open_input(folder, name);
  return gridkit::read_int_grid(file);
}

void write_model_array(const fs::path& folder, const std::string& name, ArrayLayout layout,
                       const ModelArray& array) {
  gridkit::OutFile file(folder / name, name);
  std::visit([&](const auto& grid) { gridkit::write_grid(file, grid, layout); }, array);
  file.close();
}

std::vector<gridkit::PointD> read_point_file(const fs::path& folder, const std::string& name) {
  gridkit::InFile file = open_input(folder, name);
  std::vector<gridkit::PointD> points;
  while (const std::optional<gridkit::PointD> p = gridkit::read_point_double(file))
    points.push_back(*p);
  return points;
}

void write_point_file(const fs::path& folder, const std::string& name,
                      const std::vector<gridkit::PointD>& points) {
  gridkit::OutFile file(folder / name, name);
  for (const gridkit::PointD& p : points) {
    file.line(gridkit::shortest(p.x) + ' ' + gridkit::shortest(p.y) + ' ' + gridkit::shortest(p.z));
  }
  file.close();
}

namespace {
constexpr const char* kSideFiles[] = {"-journal", "-wal", "-shm"};
}  // namespace

PendingOutput::PendingOutput(const fs::path& folder, const std::string& name)
    : output_(folder / name, name) {
  if (output_.straight_through()) {
    int fd = -1;
    staging_ = gridkit::create_temporary_beside(
        fs::temp_directory_path() / ("kitgeo-" + fs::path(name).filename().string()), name, fd);
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
