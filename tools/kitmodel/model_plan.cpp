#include "tools/kitmodel/model_plan.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "gridkit/numfmt.hpp"

namespace kitmodel {
namespace {

using gridkit::shortest;

// A river stage this far above the land surface is a unit slip or a
// digitizing error rather than a river.
constexpr float kStageAboveTop = 10.0f;

const char* severity_name(Severity s) {
  switch (s) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: return "note";
  }
  return "?";
}

class Checker {
 public:
  explicit Checker(const ModelInputs& in) : in_(in) {}

  ModelPlan run() {
    plan_.cells.assign(
        static_cast<std::size_t>(in_.layers()),
        gridkit::GridArray<CellState>(gridkit::NROW(), gridkit::NCOL(), CellState::Inactive));
    for (int row = 1; row <= gridkit::NROW(); ++row)
      for (int col = 1; col <= gridkit::NCOL(); ++col) check_column(row, col);
    if (in_.recharge) check_recharge();
    if (static_cast<std::size_t>(in_.river_header.reach_count) != in_.reaches.size() &&
        !in_.reaches.empty()) {
      add(Severity::Warning, "river package header counts other reaches than it holds", 0, {},
          "ITMP " + std::to_string(in_.river_header.reach_count) + ", records " +
              std::to_string(in_.reaches.size()) + " (every record is used)");
    }
    check_reaches();
    return std::move(plan_);
  }

 private:
  void add(Severity s, std::string rule, int layer, gridkit::Cell cell, std::string values) {
    plan_.findings.push_back({s, std::move(rule), layer, cell, std::move(values)});
  }

  CellState& state(int layer, int row, int col) {
    return plan_.cells[static_cast<std::size_t>(layer - 1)](row, col);
  }

  void check_column(int row, int col) {
    const std::int32_t code = in_.ibound(row, col);
    if (code == 0) return;
    const gridkit::Cell cell{row, col};
    const int n = in_.layers();
    int open_layers = 0;
    for (int k = 1; k <= n; ++k) {
      const float top = in_.cell_top(k, row, col);
      const float bottom = in_.cell_bottom(k, row, col);
      if (!std::isfinite(top) || !std::isfinite(bottom)) {
        add(Severity::Error, "cell top or bottom not a number", k, cell,
            "top " + shortest(top) + ", bottom " + shortest(bottom));
        continue;
      }
      const float thickness = top - bottom;
      if (!(thickness > 0.0f)) {
        state(k, row, col) = CellState::Pinched;
        continue;
      }
      state(k, row, col) = CellState::Active;
      ++open_layers;
      const float kh = in_.kh[static_cast<std::size_t>(k - 1)](row, col);
      const float kv = in_.kv[static_cast<std::size_t>(k - 1)](row, col);
      if (!(kh > 0.0f) || !std::isfinite(kh))
        add(Severity::Error, "horizontal conductivity not above 0 in an active cell", k, cell,
            "K " + shortest(kh));
      if (!(kv > 0.0f) || !std::isfinite(kv))
        add(Severity::Error, "vertical conductivity not above 0 in an active cell", k, cell,
            "Kv " + shortest(kv));
      if (code < 0) plan_.constant_heads.push_back({k, cell, in_.start(row, col)});
    }
    if (open_layers == 0) {
      add(Severity::Error, "pinched cell cannot pass flow: no layer of the column has a thickness",
          1, cell,
          "top " + shortest(in_.top(row, col)) + ", bottom of layer " + std::to_string(n) + " " +
              shortest(in_.cell_bottom(n, row, col)));
      return;
    }
    const float start = in_.start(row, col);
    if (!std::isfinite(start)) {
      add(Severity::Error, "starting head not a number", 1, cell, "start " + shortest(start));
      return;
    }
    if (code < 0) {
      for (int k = 1; k <= n; ++k) {
        if (state(k, row, col) == CellState::Pinched)
          add(Severity::Note, "constant-head cell pinched out; the layers around it hold the head",
              k, cell,
              "thickness " + shortest(in_.cell_top(k, row, col) - in_.cell_bottom(k, row, col)));
      }
    }
    const float top = in_.top(row, col);
    const float base = in_.cell_bottom(n, row, col);
    const float above = top + (top - in_.cell_bottom(1, row, col));
    const float below = base - (in_.cell_top(n, row, col) - base);
    if (start > above || start < below) {
      add(Severity::Warning,
          "starting head outside the model's tops and bottoms by more than a layer", 1, cell,
          "start " + shortest(start) + ", top " + shortest(top) + ", base " + shortest(base));
    }
  }

  void check_recharge() {
    for (int row = 1; row <= gridkit::NROW(); ++row) {
      for (int col = 1; col <= gridkit::NCOL(); ++col) {
        const float r = (*in_.recharge)(row, col);
        if (in_.ibound(row, col) != 0 && !std::isfinite(r))
          add(Severity::Error, "recharge not a number", 1, {row, col}, "recharge " + shortest(r));
      }
    }
  }

  void check_reaches() {
    const int n = in_.layers();
    std::map<std::tuple<int, int, int>, const heron2::RiverRecord*>
        seen;  // cell -> its first reach
    for (const heron2::RiverRecord& r : in_.reaches)
      if (gridkit::inside_grid(r.cell.row, r.cell.col)) river_cells_(r.cell.row, r.cell.col) = 1;
    for (const heron2::RiverRecord& r : in_.reaches) {
      const gridkit::Cell cell = r.cell;
      const std::string line = "package line " + std::to_string(r.line);
      if (r.layer < 1 || r.layer > n) {
        add(Severity::Error, "river reach in a layer the model does not have", r.layer, cell,
            line + ", " + std::to_string(n) + " layers");
        continue;
      }
      if (in_.ibound(cell.row, cell.col) == 0) {
        add(Severity::Error, "river reach in an inactive cell", r.layer, cell, line + ", IBOUND 0");
        continue;
      }
      int layer = r.layer;
      while (layer <= n && state(layer, cell.row, cell.col) != CellState::Active) ++layer;
      if (layer > n) {
        add(Severity::Error, "river reach in a pinched cell with no active cell below", r.layer,
            cell, line);
        continue;
      }
      if (layer != r.layer) {
        add(Severity::Note, "river reach in a pinched cell, moved to the first active layer below",
            r.layer, cell, line + ", moved to layer " + std::to_string(layer));
      }
      if (r.stage < r.bottom)
        add(Severity::Error, "stage below river bottom", layer, cell,
            "stage " + shortest(r.stage) + ", bottom " + shortest(r.bottom) + ", " + line);
      if (!(r.conductance >= 0.0f) || !std::isfinite(r.conductance))
        add(Severity::Error, "negative conductance", layer, cell,
            "conductance " + shortest(r.conductance) + ", " + line);
      const float cell_bottom = in_.cell_bottom(layer, cell.row, cell.col);
      if (r.bottom < cell_bottom)
        add(Severity::Error, "river bottom below the cell bottom", layer, cell,
            "river bottom " + shortest(r.bottom) + ", cell bottom " + shortest(cell_bottom) + ", " +
                line);
      const float top = in_.top(cell.row, cell.col);
      if (r.stage > top + kStageAboveTop)
        add(Severity::Error, "stage more than 10 length units above the top", layer, cell,
            "stage " + shortest(r.stage) + ", top " + shortest(top) + ", " + line);
      const auto [first, fresh] = seen.emplace(std::make_tuple(layer, cell.row, cell.col), &r);
      if (!fresh) {
        if (same_level(*first->second, r) && is_junction(cell)) {
          ++plan_.junction_repeats;
        } else {
          add(Severity::Error, "two reaches in one cell", layer, cell,
              "package lines " + std::to_string(first->second->line) + " and " +
                  std::to_string(r.line));
        }
      }
      if (in_.ibound(cell.row, cell.col) < 0)
        add(Severity::Warning, "river reach in a constant-head cell", layer, cell, line);
      const float start = in_.start(cell.row, cell.col);
      if (start < r.bottom)
        add(Severity::Warning, "starting head below river bottom (the reach starts disconnected)",
            layer, cell,
            "start " + shortest(start) + ", river bottom " + shortest(r.bottom) + ", " + line);
      plan_.reaches.push_back({layer, r});
    }
  }

  static bool same_level(const heron2::RiverRecord& a, const heron2::RiverRecord& b) {
    return a.stage == b.stage && a.bottom == b.bottom;
  }

  // A river cell with three or more river cells around it joins branches:
  // the river package writes it once for every segment through it.
  bool is_junction(gridkit::Cell cell) const {
    int around = 0;
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc)
        if ((dr != 0 || dc != 0) && gridkit::inside_grid(cell.row + dr, cell.col + dc))
          around += river_cells_(cell.row + dr, cell.col + dc);
    return around >= 3;
  }

  const ModelInputs& in_;
  ModelPlan plan_;
  gridkit::IntGrid river_cells_;  // 1 where the package has a reach
};

}  // namespace

std::string finding_line(const Finding& f) {
  std::string line = std::string(severity_name(f.severity)) + ": " + f.rule;
  if (f.cell.row != 0) {
    line += ": layer " + std::to_string(f.layer) + ", row " + std::to_string(f.cell.row) +
            ", column " + std::to_string(f.cell.col);
  }
  if (!f.values.empty()) line += ": " + f.values;
  return line;
}

bool ModelPlan::has_errors() const {
  return std::any_of(findings.begin(), findings.end(),
                     [](const Finding& f) { return f.severity == Severity::Error; });
}

ModelPlan plan_model(const ModelInputs& inputs) { return Checker(inputs).run(); }

std::vector<std::string> finding_lines(const std::vector<Finding>& findings, int per_rule) {
  std::vector<std::string> lines;
  std::map<std::string, int> shown;
  std::vector<std::string> order;
  for (const Finding& f : findings) {
    int& count = shown[f.rule];
    if (count == 0) order.push_back(f.rule);
    if (count++ < per_rule) lines.push_back(finding_line(f));
  }
  for (const std::string& rule : order) {
    const int count = shown[rule];
    if (count > per_rule)
      lines.push_back("... " + std::to_string(count - per_rule) + " more: " + rule);
  }
  return lines;
}

}  // namespace kitmodel
