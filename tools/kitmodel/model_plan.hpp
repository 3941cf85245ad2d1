// What the kit's arrays become in a MODFLOW model, and the checks made on
// them before anything is written or run.
//
// Every layer takes the one IBOUND array: <0 is a constant-head cell (active,
// held at its starting head), 0 inactive, >0 active. An active cell of zero
// or negative thickness is pinched out: it passes flow vertically between the
// cells above and below it and holds no head of its own. A river reach given
// in a pinched cell moves to the first cell below it that is not.
#pragma once

#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "tools/kitmodel/model_inputs.hpp"

namespace kitmodel {

enum class Severity { Note, Warning, Error };

// One finding: "SEVERITY: RULE: layer L, row R, column C: VALUES".
struct Finding {
  Severity severity = Severity::Note;
  std::string rule;
  int layer = 0;
  gridkit::Cell cell;
  std::string values;
};

std::string finding_line(const Finding& finding);

// Cell states of one layer.
enum class CellState : std::int8_t { Inactive = 0, Active = 1, Pinched = -1 };

struct ConstantHead {
  int layer;
  gridkit::Cell cell;
  float head;
};

struct Reach {
  int layer;  // where the model puts it (moved below a pinched cell)
  heron2::RiverRecord record;
};

struct ModelPlan {
  std::vector<gridkit::GridArray<CellState>> cells;  // one per layer
  std::vector<ConstantHead> constant_heads;
  std::vector<Reach> reaches;
  std::vector<Finding> findings;  // in the order the checks run
  // Second and later reaches in a junction cell at the same stage and
  // bottom: the river package writes a junction once for each segment
  // through it, and MODFLOW adds their conductances, as for branches
  // meeting in one cell. Any other second reach in a cell is an error.
  int junction_repeats = 0;

  bool has_errors() const;
  CellState state(int layer, int row, int col) const {
    return cells[static_cast<std::size_t>(layer - 1)](row, col);
  }
};

// Runs every check over the inputs and places the constant heads and reaches.
ModelPlan plan_model(const ModelInputs& inputs);

// The findings as lines, at most `per_rule` lines for each rule followed by
// one line counting the rest.
std::vector<std::string> finding_lines(const std::vector<Finding>& findings, int per_rule);

}  // namespace kitmodel
