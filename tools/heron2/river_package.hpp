// The MODFLOW river package as HERON2 reads and writes it.
//
// Input: line 1 holds MXRIVR and IRIVCB (columns 1-10, 11-20); line 2 ITMP
// (columns 1-10); then one record per line to the end of the file (ITMP is
// not used to stop): layer, row, column (10 columns each), stage,
// conductance, bottom (10 columns each; a field without a point is a whole
// number), and two integers of 10 and 7 columns, 77 columns in all.
// Output records have the same columns with the stage and bottom to 1
// decimal and the conductance to 5.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"
#include "tools/heron2/river_cells.hpp"

namespace heron2 {

struct PackageHeader {
  std::int32_t max_reaches = 0;  // MXRIVR, the most reaches of any stress period
  std::int32_t budget_unit = 0;  // IRIVCB, the unit for cell-by-cell flows
  std::int32_t reach_count = 0;  // ITMP, the reaches of this stress period
};

// What the records leave behind besides the cells: the layer and the
// conductance of the last record read.
struct PackageTail {
  std::int32_t layer = 0;
  float conductance = 0.0f;
};

// One record as it stands in the file.
struct RiverRecord {
  std::int32_t layer = 0;
  gridkit::Cell cell;
  float stage = 0.0f;
  float conductance = 0.0f;
  float bottom = 0.0f;
  std::int32_t iextra1 = 0;
  std::int32_t iextra2 = 0;
  long line = 0;  // its line in the file
};

PackageHeader read_package_header(gridkit::InFile& file);

// The next record, nullopt at the end of the file. A record whose cell lies
// outside the grid is a read error naming its line.
std::optional<RiverRecord> read_package_record(gridkit::InFile& file);

// The two header lines as NEWRIVER.RIV holds them.
std::string header_line1(const PackageHeader& header);
std::string header_line2(const PackageHeader& header);

// The header of the new package for `records` records: ITMP is that count,
// MXRIVR the larger of the value read and the count (MODFLOW reads ITMP
// records and stops when ITMP exceeds MXRIVR), IRIVCB as read.
PackageHeader header_for_records(const PackageHeader& read, std::int32_t records);

// Reads every record to the end of the file into the cells; the last record
// for a cell wins. A record whose cell lies outside the grid is a read error
// naming its line.
PackageTail read_package_records(gridkit::InFile& file, RiverCells& cells);

// One output record.
std::string river_record(std::int32_t layer, gridkit::Cell cell, float stage, float conductance,
                         float bottom, std::int32_t iextra1, std::int32_t iextra2);

}  // namespace heron2
