#include "tools/heron2/heron2.hpp"

#include <array>
#include <string>
#include <vector>

#include "gridkit/arrays.hpp"
#include "gridkit/dialogue.hpp"
#include "gridkit/notes.hpp"
#include "gridkit/order_maps.hpp"
#include "gridkit/record.hpp"
#include "tools/heron2/classify.hpp"
#include "tools/heron2/maps.hpp"
#include "tools/heron2/river_package.hpp"
#include "tools/heron2/segment_pass.hpp"
#include "tools/heron2/trace.hpp"

namespace heron2 {
namespace {

constexpr int kNameLength = 40;  // every name answer
// Units named in the prompt that follows a blank answer.
constexpr int kPackageUnit = 10;
constexpr int kBoundaryUnit = 11;
constexpr int kOutputUnit = 12;

gridkit::InFile ask_existing(gridkit::Console& con, const std::filesystem::path& folder,
                             const char* prompt, int unit) {
  return gridkit::ask_existing(con, folder, gridkit::Record().text(prompt), kNameLength, unit);
}

// One record per reach; a junction counts once for every segment holding it.
std::int32_t count_records(const std::vector<Segment>& segments) {
  std::size_t records = 0;
  for (const Segment& segment : segments) records += segment.reaches.size();
  return static_cast<std::int32_t>(records);
}

void note_header_changes(const PackageHeader& read, const PackageHeader& written) {
  if (written.reach_count != read.reach_count) {
    gridkit::note("NEWRIVER.RIV: ITMP written as " + std::to_string(written.reach_count) +
                  ", the number of records (the input package says " +
                  std::to_string(read.reach_count) + ")");
  }
  if (written.max_reaches != read.max_reaches) {
    gridkit::note("NEWRIVER.RIV: MXRIVR raised from " + std::to_string(read.max_reaches) + " to " +
                  std::to_string(written.max_reaches) + " to hold every record");
  }
}

// River cells no trace reaches drop out of the new package without a word in
// the files; standard error says how many and where the first one lies.
void note_untraced(const std::string& package, const Untraced& untraced) {
  if (untraced.count == 0) return;
  gridkit::note(
      package + ": " + std::to_string(untraced.count) +
      (untraced.count == 1 ? " river cell is" : " river cells are") +
      " reached by no trace (a ring, a block or a lone cell) and not written to NEWRIVER.RIV; the "
      "first is row " +
      std::to_string(untraced.first->row) + ", column " + std::to_string(untraced.first->col));
}

// The class maps "B".FL1, "B".FL2, ... and then the order maps "B".OR1, ...,
// one of each for every piece of a row, created in that order.
std::vector<gridkit::OutFile> create_maps(const std::filesystem::path& folder,
                                          const std::string& base, std::size_t pieces) {
  std::vector<gridkit::OutFile> maps;
  maps.reserve(2 * pieces);
  for (const char* kind : {".FL", ".OR"}) {
    for (std::size_t p = 1; p <= pieces; ++p)
      maps.push_back(gridkit::create_or_replace(folder, base + kind + std::to_string(p)));
  }
  return maps;
}

}  // namespace

void run_heron2(gridkit::Console& con, const std::filesystem::path& folder) {
  // Dialogue; the inputs must exist, and the outputs replace files of their
  // names only when the run closes them.
  gridkit::InFile package =
      ask_existing(con, folder, "ENTER THE NAME OF THE INPUT RIVER PACKAGE FILE: ", kPackageUnit);
  gridkit::InFile boundary =
      ask_existing(con, folder, "ENTER THE FILENAME OF THE IBOUND ARRAY: ", kBoundaryUnit);
  const std::string base = gridkit::ask_name(
      con, gridkit::Record().text("ENTER THE NAME OF THE OUTPUT FILE: "), kNameLength, kOutputUnit);
  const std::size_t pieces = gridkit::map_pieces(gridkit::NCOL()).size();
  std::vector<gridkit::OutFile> maps = create_maps(folder, base, pieces);
  gridkit::OutFile stages = gridkit::create_or_replace(folder, base + ".STG");
  gridkit::OutFile problem = gridkit::create_or_replace(folder, "PROBLEM.SEG");
  gridkit::OutFile river = gridkit::create_or_replace(folder, "NEWRIVER.RIV");

  // Read: the boundary array, then the package.
  RiverCells cells;
  cells.boundary = gridkit::read_int_grid(boundary);
  const PackageHeader header = read_package_header(package);
  const PackageTail tail = read_package_records(package, cells);

  classify_cells(cells.river_flag, cells.boundary, cells.cell_class);
  apply_fixed_corrections(cells.cell_class);
  const std::vector<Segment> segments =
      trace_network(cells.cell_class, cells.river_flag, cells.stream_order);
  note_untraced(package.name(), untraced_river_cells(cells.river_flag, segments));

  // The new package's header counts the records that follow it.
  const PackageHeader written = header_for_records(header, count_records(segments));
  note_header_changes(header, written);
  river.line(header_line1(written));
  river.line(header_line2(written));

  std::vector<gridkit::OutFile*> class_maps;
  std::vector<gridkit::OutFile*> order_maps;
  for (std::size_t p = 0; p < pieces; ++p) {
    class_maps.push_back(&maps[p]);
    order_maps.push_back(&maps[pieces + p]);
  }
  write_class_maps(class_maps, cells.cell_class);
  gridkit::write_order_maps(order_maps, cells.stream_order);
  float conductance = tail.conductance;
  write_segments(cells, segments, tail.layer, conductance, {river, stages, problem});
  // Every file handed to the system before the run reports its end, so a
  // refused write (a full disk) stops the run instead of passing unseen.
  for (gridkit::OutFile& map : maps) map.flush();
  for (gridkit::OutFile* file : {&stages, &problem, &river}) file->flush();

  con.write(gridkit::Record().integer(static_cast<long long>(segments.size())));
  con.stop();
}

}  // namespace heron2
