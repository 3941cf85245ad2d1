// Vertices lying exactly on row node lines (Y = 557128 - k*1000). Each
// expected fill below was traced by hand through the crossing step, the
// vertex-on-row rules and the pairing from the largest crossing down.
// Row lines used: row 58 Y 500128, row 60 Y 498128, row 62 Y 496128.
// Node X: column 11 300568, ..., column 16 305568.
#include <gtest/gtest.h>

#include "tools/quarrypit/tests/run_helpers.hpp"

namespace quarrypit::testing {
namespace {

using Nodes = std::set<std::pair<int, int>>;

Nodes fill_of(const std::vector<Curve>& curves, int value) {
  const Result r = run_curves(curves);
  EXPECT_EQ(r.run.status, 0) << r.run.error;
  return nodes_with(r.zone, value);
}

Nodes unite(std::initializer_list<Nodes> parts) {
  Nodes all;
  for (const Nodes& part : parts) all.insert(part.begin(), part.end());
  return all;
}

TEST(RowLineVertices, DiamondStartingOnARowLine) {
  // Top vertex (first) on row 58, bottom vertex on row 62. Row 58 gets the
  // top four times and row 62 the bottom twice: both fill no node.
  const Nodes fill =
      fill_of({{"DIAMOND.XYZ",
                {{302100, 500128}, {304100, 498500}, {302100, 496128}, {300100, 498500}},
                1}},
              1);
  EXPECT_EQ(fill, unite({block(59, 59, 12, 13), block(60, 60, 11, 14), block(61, 61, 12, 13)}));
}

TEST(RowLineVertices, FirstVertexPassingThroughOnTheLeft) {
  // Row 60 gets 300100 twice (first edge, closing edge) and 304100 once:
  // three crossings, the smallest unpaired, the other two span the row.
  const Nodes fill = fill_of(
      {{"LEFT.XYZ",
        {{300100, 498128}, {300300, 500100}, {304100, 500100}, {304100, 496100}, {300300, 496100}},
        1}},
      1);
  EXPECT_EQ(fill, block(59, 62, 11, 14));
}

TEST(RowLineVertices, FirstVertexPassingThroughOnTheRightLosesItsRow) {
  // Mirror image: row 60 gets 300100 once and 304100 twice; pairing from
  // the top leaves 300100 unpaired and fills nothing between 304100 and
  // itself, so row 60 stays empty.
  const Nodes fill = fill_of(
      {{"RIGHT.XYZ",
        {{304100, 498128}, {303900, 500100}, {300100, 500100}, {300100, 496100}, {303900, 496100}},
        1}},
      1);
  EXPECT_EQ(fill, unite({block(59, 59, 11, 14), block(61, 62, 11, 14)}));
}

TEST(RowLineVertices, YprevCarriedFromThePreviousCurve) {
  // The same right-hand curve after a curve whose last vertex lies north of
  // row 60: YPREV keeps that Y, the first edge counts the first vertex a
  // second time, and row 60 fills. After a curve ending to the south it
  // does not.
  const Curve right{
      "RIGHT.XYZ",
      {{304100, 498128}, {303900, 500100}, {300100, 500100}, {300100, 496100}, {303900, 496100}},
      1};
  const Curve north{
      "NORTH.XYZ", {{400100, 540100}, {402100, 540100}, {402100, 538100}, {400100, 538100}}, 2};
  const Curve south{
      "SOUTH.XYZ", {{400100, 300100}, {402100, 300100}, {402100, 298100}, {400100, 298100}}, 2};
  EXPECT_EQ(fill_of({north, right}, 1), block(59, 62, 11, 14));
  EXPECT_EQ(fill_of({south, right}, 1), unite({block(59, 59, 11, 14), block(61, 62, 11, 14)}));
}

TEST(RowLineVertices, FirstVertexPeakWithAnotherLobeOnItsRow) {
  // An M: the right peak (first vertex, X 305100) sits on row 58, which
  // also crosses the higher left lobe at 299885.625 and 300957.5. The first
  // edge counts the peak twice (it lies above both neighbours), the closing
  // edge once more, and the first-vertex rule a fourth time; the four pair
  // off among themselves and the left lobe keeps its pair. Missing any one
  // of them would pair the lobe's right crossing with the peak instead.
  const Nodes fill = fill_of(
      {{"M.XYZ",
        {{305100, 500128}, {307100, 495100}, {299100, 495100}, {300100, 501500}, {302600, 497500}},
        1}},
      1);
  EXPECT_EQ(fill, unite({block(58, 58, 11, 11), block(59, 59, 11, 12), block(59, 59, 15, 15),
                         block(60, 60, 11, 12), block(60, 60, 14, 16), block(61, 61, 10, 16),
                         block(62, 63, 10, 17)}));
}

TEST(RowLineVertices, PeakAfterAVertexOnARowLine) {
  // A V-notch from the bottom: vertex 2 lies on row 62, vertex 3 (the
  // notch's peak, X 303100) on row 60. Rows are taken north to south, so the
  // first edge, ending on row 62, leaves YPREV at vertex 1's Y before the
  // second edge reaches row 60 at vertex 3. Vertex 3 lies above vertex 2 and
  // that YPREV and counts twice there, once more from its second edge: five
  // crossings on row 60, the smallest unpaired, and only columns 14-15 fill.
  // Row 62 passes through vertex 2 twice (both edges end there) and keeps
  // only its right part the same way. The curve before it leaves YPREV far
  // north, so only the edge ending on row 62 can make the peak count twice.
  const Curve north{
      "NORTH.XYZ", {{400100, 540100}, {402100, 540100}, {402100, 538100}, {400100, 538100}}, 2};
  const Curve notch{"NOTCH.XYZ",
                    {{300100, 494756},
                     {302100, 496128},
                     {303100, 498128},
                     {305100, 494756},
                     {306100, 502156},
                     {299100, 502156}},
                    1};
  EXPECT_EQ(fill_of({north, notch}, 1),
            unite({block(56, 59, 10, 16), block(60, 60, 14, 15), block(61, 61, 11, 13),
                   block(61, 61, 15, 15), block(62, 62, 15, 15), block(63, 63, 11, 11)}));
}

// A notch rising from the bottom to a peak on row 60 (X 303100).
Nodes notch_fill() {
  return unite({block(59, 60, 11, 16), block(61, 61, 11, 12), block(61, 61, 15, 16),
                block(62, 62, 11, 11), block(62, 62, 16, 16)});
}

TEST(RowLineVertices, PeakAsAnEvenVertex) {
  // Vertex 4 is the peak: both its edges end there (T = 1), two crossings.
  const Nodes fill = fill_of(
      {{"NOTCH.XYZ",
        {{300100, 500100}, {306100, 500100}, {306100, 495100}, {303100, 498128}, {300100, 495100}},
        1}},
      1);
  EXPECT_EQ(fill, notch_fill());
}

TEST(RowLineVertices, PeakAsAnOddVertex) {
  // Vertex 3 is the peak: both its edges start there (T = 0) and each
  // counts it twice, as it lies above both neighbours. Four crossings at
  // the peak still pair off among themselves.
  const Nodes fill = fill_of(
      {{"NOTCH.XYZ",
        {{306100, 500100}, {306100, 495100}, {303100, 498128}, {300100, 495100}, {300100, 500100}},
        1}},
      1);
  EXPECT_EQ(fill, notch_fill());
}

TEST(RowLineVertices, HorizontalEdgeOnARowLine) {
  // Top edge on row 58: its base point, and the two side edges ending on the
  // line, give three crossings; the largest two span the row, which fills.
  EXPECT_EQ(fill_of({{"TOP.XYZ",
                      {{300100, 500128}, {304100, 500128}, {304100, 496100}, {300100, 496100}},
                      1}},
                    1),
            block(58, 62, 11, 14));
  // Bottom edge on row 62: the crossings there are 300100 once and 304100
  // twice; the pair left is 304100 with itself, and row 62 stays empty.
  EXPECT_EQ(fill_of({{"BOTTOM.XYZ",
                      {{300100, 500100}, {304100, 500100}, {304100, 496128}, {300100, 496128}},
                      1}},
                    1),
            block(59, 61, 11, 14));
}

}  // namespace
}  // namespace quarrypit::testing
