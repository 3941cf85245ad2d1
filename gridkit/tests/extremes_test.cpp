// The running extremes: where a pair starts, and what equal values and NaNs
// do to it. The results are compared bit for bit (a -0.0 is not a 0.0).
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/extremes.hpp"

namespace gridkit {
namespace {

enum class Start { AtZero, AtFirst, None };

TEST(Extremes, StartEqualValuesAndNaNs) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* why;
    Start start;
    std::vector<float> values;
    float smallest;
    float largest;
  };
  const Case cases[] = {
      {"from 0 and 0, as a DSAA header starts", Start::AtZero, {3.0f, -2.0f}, -2.0f, 3.0f},
      {"from 0 and 0, positive values leave 0 the smallest",
       Start::AtZero,
       {5.0f, 7.0f},
       0.0f,
       7.0f},
      {"a NaN never becomes an extreme", Start::AtFirst, {1.0f, kNaN, 3.0f}, 1.0f, 3.0f},
      {"a first NaN stays both extremes", Start::AtFirst, {kNaN, 1.0f, 2.0f}, kNaN, kNaN},
      {"an equal value does not replace the extreme", Start::AtFirst, {-0.0f, 0.0f}, -0.0f, -0.0f},
      {"none: the first value that is not a NaN is both",
       Start::None,
       {kNaN, 2.0f, 1.0f},
       1.0f,
       2.0f},
  };
  for (const Case& c : cases) {
    Extremes<float> range;
    std::size_t first = 0;
    if (c.start == Start::AtFirst) range = Extremes<float>::starting_at(c.values[first++]);
    if (c.start == Start::None) range = Extremes<float>::none();
    for (std::size_t k = first; k < c.values.size(); ++k) range.include(c.values[k]);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(range.smallest),
              std::bit_cast<std::uint32_t>(c.smallest))
        << c.why;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(range.largest), std::bit_cast<std::uint32_t>(c.largest))
        << c.why;
    EXPECT_FALSE(range.empty()) << c.why;
  }
  Extremes<double> nothing = Extremes<double>::none();
  EXPECT_TRUE(nothing.empty());
  nothing.include(std::nan(""));
  EXPECT_TRUE(nothing.empty()) << "a NaN is not a value seen";
}

}  // namespace
}  // namespace gridkit
