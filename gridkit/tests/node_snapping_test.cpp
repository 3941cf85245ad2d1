// The two node-snapping rules: they differ just below a half, where adding
// 0.5 in single precision rounds up, and agree everywhere else.
#include "gridkit/node_snapping.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

struct SnapCase {
  float t;
  std::optional<int> by_adding_half;
  std::optional<int> by_rounding;
};

TEST(NodeSnapping, RulesDifferOnlyJustBelowAHalf) {
  const SnapCase cases[] = {
      {0.49999997f, 2, 1},  // 0.49999997f + 0.5f is 1.0f
      {-0.49999997f, 0, 1},
      {0.0f, 1, 1},
      {0.4999999f, 1, 1},
      {0.5f, 2, 2},
      {-0.5f, 0, 0},
      {360.0f, 361, 361},
      {3.0e38f, std::nullopt, std::nullopt},  // too far off for any integer
      {std::nanf(""), std::nullopt, std::nullopt},
  };
  for (const SnapCase& c : cases) {
    EXPECT_EQ(gridkit::node_index_by_adding_half(c.t), c.by_adding_half) << c.t;
    EXPECT_EQ(gridkit::node_index_by_rounding(c.t), c.by_rounding) << c.t;
  }
}

}  // namespace
