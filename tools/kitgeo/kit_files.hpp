// The kit's own files as kitgeo reads and writes them: whole-grid arrays in
// each layout (gridkit's readers and writers), the IBOUND array and CRSTM
// point files.
//
// Outputs follow gridkit's rules (gridkit::ReplacingOutput): written under a
// temporary name beside their own and moved over it only once written whole,
// so a failed run leaves an earlier file of that name as it was; a device or
// FIFO under the name is written straight through.
#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "gridkit/grid.hpp"
#include "gridkit/points.hpp"
#include "gridkit/replacing_output.hpp"
#include "tools/kitgeo/arguments.hpp"

namespace kitgeo {

// A whole model array: integers for the int layout, reals for the others.
using ModelArray = std::variant<gridkit::IntGrid, gridkit::RealGrid>;

// Rows 1 to NROW() of the array in `layout`; what follows the last row is not
// read. A missing file, a short file or a field that is not a number is a
// KitError naming the file and line.
ModelArray read_model_array(const std::filesystem::path& folder, const std::string& name,
                            ArrayLayout layout);
gridkit::IntGrid read_ibound_array(const std::filesystem::path& folder, const std::string& name);

// Rows 1 to NROW() in `layout`.
void write_model_array(const std::filesystem::path& folder, const std::string& name,
                       ArrayLayout layout, const ModelArray& array);

// Every point of a CRSTM point file (X and Y in double precision, Z single).
std::vector<gridkit::PointD> read_point_file(const std::filesystem::path& folder,
                                             const std::string& name);
// One point a line, "X Y Z", each number in the shortest form that reads back
// as the same value.
void write_point_file(const std::filesystem::path& folder, const std::string& name,
                      const std::vector<gridkit::PointD>& points);

// An output that GDAL writes itself, by name: GDAL creates the file at
// temporary() (no file stands there until it does) and commit() puts it in
// place; dropped uncommitted, it leaves the name as it was. Where the name is
// a device or FIFO, GDAL writes to a file in the system's temporary folder
// and commit() copies it through.
class PendingOutput {
 public:
  PendingOutput(const std::filesystem::path& folder, const std::string& name);
  PendingOutput(const PendingOutput&) = delete;
  PendingOutput& operator=(const PendingOutput&) = delete;
  ~PendingOutput();

  const std::filesystem::path& temporary() const { return staging_; }
  void commit();

 private:
  gridkit::ReplacingOutput output_;
  std::filesystem::path staging_;
};

}  // namespace kitgeo
