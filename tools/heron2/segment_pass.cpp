#include "tools/heron2/segment_pass.hpp"

#include "gridkit/numfmt.hpp"
#include "gridkit/record.hpp"
#include "tools/heron2/quad.hpp"
#include "tools/heron2/river_package.hpp"

namespace heron2 {
namespace {

void write_reach(const RiverCells& cells, gridkit::Cell cell, std::int32_t layer,
                 float& conductance, SegmentFiles& files) {
  const float stage = cells.stage(cell.row, cell.col);
  conductance = conductance_for(cells.stream_order(cell.row, cell.col), conductance);
  files.river.line(river_record(layer, cell, stage, conductance, cells.bottom(cell.row, cell.col),
                                cells.iextra1(cell.row, cell.col),
                                cells.iextra2(cell.row, cell.col)));
  files.stages.write(gridkit::Record().integer(cell.col).integer(cell.row).real(stage));
}

}  // namespace

float conductance_for(int order, float current) {
  if (order >= 1 && order <= 5) return kOrderConductance[order - 1];
  return current;
}

std::string uphill_line(gridkit::Cell first, gridkit::Cell last) {
  return "UPHILL OR FLAT SEGMENT FROM COL " + gridkit::format_int(first.col, 3) + " ROW " +
         gridkit::format_int(first.row, 3) + " TO COL " + gridkit::format_int(last.col, 3) +
         " ROW " + gridkit::format_int(last.row, 3);
}

void write_segments(RiverCells& cells, const std::vector<Segment>& segments, std::int32_t layer,
                    float& conductance, SegmentFiles files) {
  for (std::size_t s = 0; s < segments.size(); ++s) {
    const std::vector<gridkit::Cell>& reaches = segments[s].reaches;
    const long long segment_number = static_cast<long long>(s) + 1;
    const long long reach_count = static_cast<long long>(reaches.size());
    const gridkit::Cell first = reaches.front();
    const gridkit::Cell last = reaches.back();
    files.stages.write(gridkit::Record().integer(segment_number).integer(reach_count));

    const float first_stage = cells.stage(first.row, first.col);
    const float last_stage = cells.stage(last.row, last.col);
    const float drop = first_stage - last_stage;
    if (drop <= kUphillDrop) {
      const std::string uphill = uphill_line(first, last);
      gridkit::Record stage_record;
      stage_record.real(first_stage).real(last_stage).real(drop);
      files.stages.line(uphill);
      files.stages.write(stage_record);
      files.problem.line(uphill);
      files.problem.write(stage_record);
      write_position(first.col, first.row, files.problem);
    }
    float gradient = 0.0f;
    if (reach_count > 1) gradient = drop / static_cast<float>(reach_count - 1);

    write_reach(cells, first, layer, conductance, files);
    for (long long k = 2; k <= reach_count; ++k) {
      const gridkit::Cell cell = reaches[static_cast<std::size_t>(k - 1)];
      // The first reach's stage is read afresh: a segment may come back to it.
      const float stage = cells.stage(first.row, first.col) - static_cast<float>(k - 1) * gradient;
      cells.stage(cell.row, cell.col) = stage;
      cells.bottom(cell.row, cell.col) = stage - kBottomDepth;
      write_reach(cells, cell, layer, conductance, files);
    }
  }
}

}  // namespace heron2
