// The checks on a small model held in memory: a 3 x 3 block of two layers
// (top 100, bottoms 50 and 0), a constant head at (row 11, column 10) and one
// river reach at (row 11, column 12). Each row plants one fault and names the
// finding it must give, cell and values included.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "tools/kitmodel/model_plan.hpp"

namespace {

using kitmodel::CellState;
using kitmodel::ModelInputs;

heron2::RiverRecord reach(int layer, int row, int col, float stage, float cond, float bottom,
                          long line) {
  heron2::RiverRecord r;
  r.layer = layer;
  r.cell = {row, col};
  r.stage = stage;
  r.conductance = cond;
  r.bottom = bottom;
  r.line = line;
  return r;
}

ModelInputs small_model() {
  ModelInputs in;
  for (int r = 10; r <= 12; ++r)
    for (int c = 10; c <= 12; ++c) in.ibound(r, c) = 1;
  in.ibound(11, 10) = -1;
  in.top = gridkit::RealGrid(gridkit::NROW(), gridkit::NCOL(), 100.0f);
  in.start = gridkit::RealGrid(gridkit::NROW(), gridkit::NCOL(), 90.0f);
  in.bottoms = {gridkit::RealGrid(gridkit::NROW(), gridkit::NCOL(), 50.0f), gridkit::RealGrid()};
  in.kh = {gridkit::RealGrid(gridkit::NROW(), gridkit::NCOL(), 10.0f),
           gridkit::RealGrid(gridkit::NROW(), gridkit::NCOL(), 5.0f)};
  in.kv = {gridkit::RealGrid(gridkit::NROW(), gridkit::NCOL(), 1.0f),
           gridkit::RealGrid(gridkit::NROW(), gridkit::NCOL(), 0.5f)};
  in.river_header.reach_count = 1;
  in.reaches = {reach(1, 11, 12, 89.0f, 10.0f, 87.0f, 3)};
  return in;
}

struct Case {
  const char* why;
  std::function<void(ModelInputs&)> plant;
  const char* finding;  // the one line expected, "" for none
};

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// One case a row, laid out by hand.
// clang-format off
const Case kCases[] = {
    {"the model as built has nothing to report", [](ModelInputs&) {}, ""},
    {"K of zero in an active cell would stop MODFLOW 6",
     [](ModelInputs& in) { in.kh[1](12, 11) = 0.0f; },
     "error: horizontal conductivity not above 0 in an active cell: "
     "layer 2, row 12, column 11: K 0"},
    {"a Kv that is not a number", [](ModelInputs& in) { in.kv[0](10, 12) = kNaN; },
     "error: vertical conductivity not above 0 in an active cell: "
     "layer 1, row 10, column 12: Kv nan"},
    {"a column pinched out in every layer has no cell to hold a head", [](ModelInputs& in) {
       in.bottoms[0](12, 12) = 100.0f;
       in.bottoms[1](12, 12) = 100.0f;
     },
     "error: pinched cell cannot pass flow: no layer of the column has a thickness: "
     "layer 1, row 12, column 12: top 100, bottom of layer 2 100"},
    {"a reach in a pinched cell moves to the layer below", [](ModelInputs& in) {
       in.bottoms[0](11, 12) = 100.0f;
       in.reaches[0].bottom = 60.0f;
     },
     "note: river reach in a pinched cell, moved to the first active layer below: "
     "layer 1, row 11, column 12: package line 3, moved to layer 2"},
    {"a reach outside the IBOUND area", [](ModelInputs& in) { in.reaches[0].cell = {13, 12}; },
     "error: river reach in an inactive cell: "
     "layer 1, row 13, column 12: package line 3, IBOUND 0"},
    {"a reach in a layer the model does not have", [](ModelInputs& in) { in.reaches[0].layer = 3; },
     "error: river reach in a layer the model does not have: "
     "layer 3, row 11, column 12: package line 3, 2 layers"},
    {"stage below the river bottom", [](ModelInputs& in) { in.reaches[0].stage = 86.5f; },
     "error: stage below river bottom: layer 1, row 11, column 12: "
     "stage 86.5, bottom 87, package line 3"},
    {"negative conductance", [](ModelInputs& in) { in.reaches[0].conductance = -10.0f; },
     "error: negative conductance: layer 1, row 11, column 12: conductance -10, package line 3"},
    {"a river bottom under the cell it lies in",
     [](ModelInputs& in) { in.reaches[0].bottom = 49.5f; },
     "error: river bottom below the cell bottom: layer 1, row 11, column 12: "
     "river bottom 49.5, cell bottom 50, package line 3"},
    {"a stage 11 above the land surface: metres taken for feet, or a digitizing slip",
     [](ModelInputs& in) { in.reaches[0].stage = 111.0f; },
     "error: stage more than 10 length units above the top: "
     "layer 1, row 11, column 12: stage 111, top 100, package line 3"},
    {"the same cell twice, away from any junction", [](ModelInputs& in) {
       in.reaches.push_back(reach(1, 11, 12, 89.0f, 10.0f, 87.0f, 4));
       in.river_header.reach_count = 2;
     }, "error: two reaches in one cell: layer 1, row 11, column 12: package lines 3 and 4"},
    {"a reach in a constant-head cell does nothing",
     [](ModelInputs& in) { in.reaches[0].cell = {11, 10}; },
     "warning: river reach in a constant-head cell: layer 1, row 11, column 10: package line 3"},
    {"a start below the river bottom", [](ModelInputs& in) { in.start(11, 12) = 80.0f; },
     "warning: starting head below river bottom (the reach starts disconnected): "
     "layer 1, row 11, column 12: start 80, river bottom 87, package line 3"},
    {"a start more than a layer above the top", [](ModelInputs& in) { in.start(10, 10) = 150.5f; },
     "warning: starting head outside the model's tops and bottoms by more than a layer: "
     "layer 1, row 10, column 10: start 150.5, top 100, base 0"},
};
// clang-format on

TEST(ModelChecks, EachPlantedFaultGivesItsOneFinding) {
  for (const Case& c : kCases) {
    ModelInputs in = small_model();
    c.plant(in);
    const kitmodel::ModelPlan plan = kitmodel::plan_model(in);
    std::vector<std::string> lines;
    for (const kitmodel::Finding& f : plan.findings) lines.push_back(kitmodel::finding_line(f));
    if (*c.finding == '\0') {
      EXPECT_TRUE(lines.empty()) << c.why << ": " << (lines.empty() ? "" : lines[0]);
    } else {
      ASSERT_EQ(lines.size(), 1u) << c.why << (lines.empty() ? "" : ": " + lines[0]);
      EXPECT_EQ(lines[0], c.finding) << c.why;
    }
  }
}

// What the model becomes: pinched cells pass flow (IDOMAIN -1), constant
// heads are held in every layer with a thickness, at the starting head, and
// a reach moved below a pinched cell goes to the model in its new layer.
TEST(ModelChecks, PlacesPinchedCellsConstantHeadsAndMovedReaches) {
  ModelInputs in = small_model();
  in.bottoms[0](11, 12) = 100.0f;  // layer 1 pinched out under the reach
  in.reaches[0].bottom = 60.0f;
  in.start(11, 10) = 95.5f;
  const kitmodel::ModelPlan plan = kitmodel::plan_model(in);
  EXPECT_FALSE(plan.has_errors());
  EXPECT_EQ(plan.state(1, 11, 12), CellState::Pinched);
  EXPECT_EQ(plan.state(2, 11, 12), CellState::Active);
  EXPECT_EQ(plan.state(1, 9, 12), CellState::Inactive);
  ASSERT_EQ(plan.constant_heads.size(), 2u);
  EXPECT_EQ(plan.constant_heads[1].layer, 2);
  EXPECT_EQ(plan.constant_heads[1].head, 95.5f);
  ASSERT_EQ(plan.reaches.size(), 1u);
  EXPECT_EQ(plan.reaches[0].layer, 2);
}

// A junction cell written once for each segment through it, at one stage,
// is the river package's way of writing branches that meet; it is no
// duplicate. A junction repeated at another stage is.
TEST(ModelChecks, JunctionRepeatsAreBranchesNotDuplicates) {
  ModelInputs in = small_model();
  in.reaches = {reach(1, 10, 10, 89, 3, 87, 3), reach(1, 10, 12, 89, 3, 87, 4),
                reach(1, 11, 11, 89, 3, 87, 5), reach(1, 11, 11, 89, 6, 87, 6),
                reach(1, 12, 11, 89, 6, 87, 7)};
  in.ibound(11, 10) = 1;
  in.river_header.reach_count = 5;
  kitmodel::ModelPlan plan = kitmodel::plan_model(in);
  EXPECT_TRUE(plan.findings.empty()) << kitmodel::finding_line(plan.findings[0]);
  EXPECT_EQ(plan.junction_repeats, 1);
  EXPECT_EQ(plan.reaches.size(), 5u);  // MODFLOW adds the conductances

  in.reaches[3].stage = 88.0f;
  plan = kitmodel::plan_model(in);
  ASSERT_EQ(plan.findings.size(), 1u);
  EXPECT_EQ(kitmodel::finding_line(plan.findings[0]),
            "error: two reaches in one cell: layer 1, row 11, column 11: package lines 5 and 6");
}

}  // namespace
