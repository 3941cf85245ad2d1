// The segment pass: for every segment in turn, the stage listing entry, the
// uphill report, and the NEWRIVER.RIV records of its reaches with stages
// falling linearly from the first reach to the last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gridkit/textfile.hpp"
#include "tools/heron2/river_cells.hpp"

namespace heron2 {

inline constexpr float kBottomDepth = 2.3f;   // river bottom below the stage
inline constexpr float kUphillDrop = -30.0f;  // a drop this low or lower is reported

// The conductance written for stream orders 1 to 5.
inline constexpr float kOrderConductance[5] = {3.28083992f, 6.56167984f, 65.6167984f, 196.850403f,
                                               262.467194f};

// The conductance of a cell of this order: the table for orders 1 to 5,
// otherwise the conductance of the record written before (`current`).
float conductance_for(int order, float current);

// "UPHILL OR FLAT SEGMENT FROM COL ccc ROW rrr TO COL ccc ROW rrr"
std::string uphill_line(gridkit::Cell first, gridkit::Cell last);

struct SegmentFiles {
  gridkit::OutFile& river;    // NEWRIVER.RIV, after its header
  gridkit::OutFile& stages;   // "B".STG
  gridkit::OutFile& problem;  // PROBLEM.SEG
};

// Runs the pass over `segments` in order. Every reach after the first gets
// the stage stage(first) - (k - 1) * gradient, the gradient being the drop
// over the reaches less one (single precision), and the bottom 2.3 below it,
// both stored back in its cell, so a later segment that starts where an
// earlier one ended takes the earlier one's values. `conductance`
// carries from record to record and is left as the last record had it.
void write_segments(RiverCells& cells, const std::vector<Segment>& segments, std::int32_t layer,
                    float& conductance, SegmentFiles files);

}  // namespace heron2
