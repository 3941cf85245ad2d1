#include "tools/kitgeo/kitgeo.hpp"

#include <sys/stat.h>

#include <ostream>
#include <vector>

#include "gridkit/error.hpp"
#include "gridkit/grid_file.hpp"
#include "gridkit/replacing_output.hpp"
#include "tools/kitgeo/arguments.hpp"
#include "tools/kitgeo/gdal_support.hpp"
#include "tools/kitgeo/kit_files.hpp"
#include "tools/kitgeo/points_layer.hpp"
#include "tools/kitgeo/raster_export.hpp"
#include "tools/kitgeo/raster_import.hpp"

namespace kitgeo {

namespace fs = std::filesystem;

namespace {

std::string cell_text(gridkit::Cell cell) {
  return "(row " + std::to_string(cell.row) + ", column " + std::to_string(cell.col) + ")";
}

// GDAL reads a raster or a layer by seeking in it; a device or FIFO in the
// input's place would be read without end or bound, so it is refused. (A
// folder stays allowed: a folder of shapefiles is a vector source.)
void require_seekable_input(const fs::path& folder, const std::string& name) {
  struct stat info {};
  if (::stat((folder / name).c_str(), &info) != 0) return;  // the reader names a missing file
  if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
    throw gridkit::KitError::read_file(
        name, "not a file (a device, FIFO or socket); GDAL reads only files");
  }
}

void report_warnings(GdalSession& gdal, std::ostream& out) {
  for (const std::string& warning : gdal.take_warnings())
    out << "GDAL warning: " << warning << '\n';
}

void export_array(const Arguments& a, std::ostream& out, const fs::path& folder) {
  GdalSession gdal;
  const ModelArray array = read_model_array(folder, a.input, a.layout);
  std::optional<gridkit::IntGrid> ibound;
  if (a.ibound) ibound = read_ibound_array(folder, *a.ibound);
  const ExportSummary summary =
      export_geotiff(gdal, array, ibound ? &*ibound : nullptr, folder, a.output);
  report_warnings(gdal, out);
  out << a.input << " (" << gridkit::layout_name(a.layout) << " layout) -> " << a.output << ": "
      << gridkit::NCOL() << " x " << gridkit::NROW() << (summary.integer ? " Int32" : " Float32");
  if (ibound)
    out << ", " << summary.nodata_cells << " cells inactive in " << *a.ibound << " as nodata";
  out << '\n';
}

void import_array(const Arguments& a, std::ostream& out, const fs::path& folder) {
  GdalSession gdal;
  std::optional<gridkit::IntGrid> ibound;
  if (a.ibound) ibound = read_ibound_array(folder, *a.ibound);
  const WarpedGrid warped = warp_to_model_grid(gdal, folder, a.input, a.resampling);
  report_warnings(gdal, out);
  if (warped.crs_assumed) out << a.input << " names no coordinate system: taken as CRSTM\n";
  const LayoutImport imported = to_layout(warped, a.layout, ibound ? &*ibound : nullptr, a.output);
  // An array of zeros would pass for an import: a raster that misses the
  // grid (another place, a wrong coordinate system) or holds only nodata.
  if (imported.active_with_data == 0) {
    throw gridkit::KitError::read_file(
        a.input,
        std::string("no ") +
            (ibound ? "active cell of " + *a.ibound : std::string("cell of the model grid")) +
            " receives data: the raster lies outside the grid or holds only nodata there");
  }
  if (imported.first_active_without_data) {
    throw gridkit::KitError::read_file(
        a.input, "active cell " + cell_text(*imported.first_active_without_data) + " of " +
                     *a.ibound + " has no data; " + std::to_string(imported.active_without_data) +
                     " active cells lie outside the raster or on nodata");
  }
  write_model_array(folder, a.output, a.layout, imported.array);
  out << a.input << " -> " << a.output << " (" << gridkit::layout_name(a.layout) << " layout, "
      << resampling_name(a.resampling) << "): " << imported.cells_without_data
      << " cells outside the raster or without data, written as 0";
  if (ibound && imported.cells_without_data > 0) out << " (all inactive in " << *a.ibound << ")";
  out << '\n';
}

void export_points(const Arguments& a, std::ostream& out, const fs::path& folder) {
  GdalSession gdal;
  const std::vector<gridkit::PointD> points = read_point_file(folder, a.input);
  const std::string layer = fs::path(a.input).stem().string();
  const ExportedLayer exported =
      export_points_layer(gdal, points, a.polygon, folder, a.output, layer);
  report_warnings(gdal, out);
  out << a.input << " -> " << a.output << ": layer " << layer << ", ";
  if (a.polygon) {
    out << "one polygon of " << points.size() << " vertices";
  } else {
    out << points.size() << " points";
  }
  if (exported.other_layers > 0) {
    out << (exported.replaced ? " (replaced; " : " (added; ") << exported.other_layers
        << (exported.other_layers == 1 ? " other layer kept)" : " other layers kept)");
  }
  out << '\n';
}

void import_points(const Arguments& a, std::ostream& out, const fs::path& folder) {
  GdalSession gdal;
  const LayerPoints layer = import_points_layer(gdal, folder, a.input, a.layer);
  report_warnings(gdal, out);
  if (layer.crs_assumed) out << a.input << " names no coordinate system: taken as CRSTM\n";
  write_point_file(folder, a.output, layer.points);
  out << a.input << " (layer " << layer.layer << ") -> " << a.output << ": " << layer.points.size()
      << (layer.from_shape ? " vertices\n" : " points\n");
}

}  // namespace

void run_kitgeo(std::span<const std::string> args, std::ostream& out, const fs::path& folder) {
  const Arguments a = parse_arguments(args);
  const gridkit::RunGrid grid(folder);
  if (a.command != Command::Help) {
    std::vector<gridkit::NamedInput> inputs{{folder / a.input, a.input}};
    if (a.ibound) inputs.push_back({folder / *a.ibound, *a.ibound});
    gridkit::refuse_output_over_input(folder / a.output, a.output, inputs);
  }
  switch (a.command) {
    case Command::Help: out << usage(); break;
    case Command::Export: export_array(a, out, folder); break;
    case Command::Import:
      require_seekable_input(folder, a.input);
      import_array(a, out, folder);
      break;
    case Command::ExportPoints: export_points(a, out, folder); break;
    case Command::ImportPoints:
      require_seekable_input(folder, a.input);
      import_points(a, out, folder);
      break;
  }
  out.flush();
}

}  // namespace kitgeo
