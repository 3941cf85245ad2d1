#include "tools/quarrypit/curve.hpp"

#include <optional>

#include "gridkit/node_snapping.hpp"
#include "tools/quarrypit/hypot.hpp"

namespace quarrypit {

using gridkit::DELR;

bool nearest_node(Vertex v, gridkit::Cell& cell) {
  const float col_offset = (v.x - gridkit::XORIG()) / DELR();
  const float row_offset = (gridkit::YORIG() - v.y) / gridkit::DELC();
  const std::optional<int> col = gridkit::node_index_by_rounding(col_offset);
  const std::optional<int> row = gridkit::node_index_by_rounding(row_offset);
  if (!col || !row || !gridkit::inside_grid(*row, *col)) return false;
  cell = {*row, *col};
  return true;
}

void CurveTracer::start_curve() {
  nvert_ = 0;
  crossings_.clear();
  slot_a_current_ = true;
}

void CurveTracer::mark_nearest_node(Vertex v) {
  gridkit::Cell cell;
  if (nearest_node(v, cell)) iedge_(cell.row, cell.col) = 1;
}

void CurveTracer::add_vertex(Vertex v) {
  (slot_a_current_ ? slot_a_ : slot_b_) = v;
  ++nvert_;
  mark_nearest_node(v);
  if (nvert_ == 1) {
    first_vertex_ = v;
    slot_a_current_ = false;
    return;
  }
  if (nvert_ == 2) second_y_ = slot_b_.y;
  const float dx = slot_b_.x - slot_a_.x;
  const float dy = slot_b_.y - slot_a_.y;
  take_edge(slot_a_, slot_b_, dx, dy);
  slot_a_current_ = !slot_a_current_;
}

void CurveTracer::close_curve() {
  if (nvert_ % 2 == 0) slot_a_ = slot_b_;  // slot A now holds the last vertex
  const float dx = first_vertex_.x - slot_a_.x;
  const float dy = first_vertex_.y - slot_a_.y;
  take_edge(first_vertex_, slot_a_, dx, dy);

  // First-vertex rule: the first vertex lies on a row line and both its
  // neighbours are on the same side of it (a peak or a trough): count it.
  yprev_ = slot_a_.y;
  ynext_ = second_y_;
  const float y0 = first_vertex_.y;
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    if (gridkit::node_y(i) != y0) continue;
    const bool peak_or_trough = (ynext_ < y0 && yprev_ < y0) || (ynext_ > y0 && yprev_ > y0);
    if (peak_or_trough) crossings_.add(i, first_vertex_.x);
  }
  crossings_.sort_rows();
}

// Band of an edge longer than DELR (band ends in the order given), then its
// crossings taken from slot A along (dx, dy).
void CurveTracer::take_edge(Vertex band_start, Vertex band_end, float dx, float dy) {
  if (hypot_single(dx, dy) > DELR()) mark_band(iedge_, band_start, band_end);
  cross_rows(dx, dy);
}

// Crossings of the edge from slot A along (dx, dy) with every row line, both
// ends included. At the end T = 1 the row line runs through the vertex that
// follows A along the edge, and YPREV records A's Y; at T = 0 it runs through
// A itself, and A is counted a second time when it is a peak or a trough
// between YPREV and YNEXT (slot B's Y).
void CurveTracer::cross_rows(float dx, float dy) {
  if (dx == 0.0f && dy == 0.0f) return;
  const float xa = slot_a_.x;
  const float ya = slot_a_.y;
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    const float yr = gridkit::node_y(i);
    float t = 2.0f;
    if (dy != 0.0f) {
      t = (yr - ya) / dy;
    } else if (ya == yr) {
      t = 0.0f;
    }
    if (!(t >= 0.0f && t <= 1.0f)) continue;
    const float xt = xa + dx * t;
    crossings_.add(i, xt);
    if (t == 1.0f) yprev_ = ya;
    if (t == 0.0f) {
      ynext_ = slot_b_.y;
      if ((ya > ynext_ && ya > yprev_) || (ya < ynext_ && ya < yprev_)) crossings_.add(i, xt);
    }
  }
}

}  // namespace quarrypit
