// The fast relaxation against the plain loop, bit for bit, on random grids;
// and the plain loop itself on small cases worked by hand.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "tests/support/other_grids.hpp"
#include "tools/brisket/relax.hpp"

namespace brisket {
namespace {

using gridkit::IntGrid;
using gridkit::NCOL;
using gridkit::NROW;
using gridkit::RealGrid;

IntGrid all_codes(std::int32_t code) { return IntGrid(NROW(), NCOL(), code); }

// --- the plain loop, by hand ----------------------------------------------

TEST(PlainSweep, UsesNewWestAndNorthValuesAndOldEastAndSouth) {
  RealGrid z(NROW(), NCOL(), 1.0f);
  IntGrid codes = all_codes(1);
  z(10, 10) = 5.0f;
  codes(10, 10) = -1;
  const float largest = plain_sweep(z, codes, SweepCover::Interior);
  EXPECT_EQ(z(9, 10), 2.0f);      // (1 + 5 + 1 + 1) / 4
  EXPECT_EQ(z(10, 9), 2.0f);      // (5 + 1 + 1 + 1) / 4
  EXPECT_EQ(z(9, 11), 1.25f);     // west is (9,10) already updated to 2.0
  EXPECT_EQ(z(10, 11), 2.0625f);  // (1 + 1 + 5 + 1.25) / 4, north updated
  EXPECT_EQ(z(11, 9), 1.25f);     // north is (10,9) already updated to 2.0
  EXPECT_EQ(z(11, 10), 2.0625f);  // (1 + 1 + 1.25 + 5) / 4
  EXPECT_EQ(z(10, 10), 5.0f);     // fixed
  EXPECT_EQ(largest, 1.0625f);
}

TEST(PlainSweep, InteriorCoverKeepsTheOutermostNodes) {
  RealGrid z(NROW(), NCOL(), 0.0f);
  const IntGrid codes = all_codes(1);
  for (int j = 1; j <= NCOL(); ++j) z(1, j) = 8.0f;
  plain_sweep(z, codes, SweepCover::Interior);
  EXPECT_EQ(z(1, 5), 8.0f);
  EXPECT_EQ(z(2, 2), 2.0f);  // north 8 from the kept row 1
  EXPECT_EQ(z(NROW(), 5), 0.0f);
}

TEST(PlainSweep, DeadAndOutsideNeighboursContributeTheOldValue) {
  RealGrid z(NROW(), NCOL(), 0.0f);
  IntGrid codes = all_codes(1);
  z(1, 1) = 4.0f;  // corner: west and north lie outside the grid
  z(1, 2) = 12.0f;
  z(2, 1) = 0.0f;
  plain_sweep(z, codes, SweepCover::Every);
  EXPECT_EQ(z(1, 1), 5.0f);  // (12 + 0 + 4 + 4) / 4

  RealGrid d(NROW(), NCOL(), 0.0f);
  codes(5, 4) = 0;  // dead west neighbour of (5,5)
  d(5, 4) = 1000.0f;
  d(5, 5) = 2.0f;
  codes(4, 5) = -1;  // fixed north neighbour
  d(4, 5) = 6.0f;
  codes(5, 6) = -1;
  codes(6, 5) = -1;
  plain_sweep(d, codes, SweepCover::Interior);
  EXPECT_EQ(d(5, 5), 2.0f);  // (0 + 0 + 2 + 6) / 4: the dead cell's 1000 is never seen
}

TEST(RelaxPlain, StopsAfterTheSweepThatPassesTheMaximumOrMeetsTheLimit) {
  RealGrid z(NROW(), NCOL(), 1.0f);
  const IntGrid codes = all_codes(1);
  z(200, 200) = 50.0f;
  IntGrid fixed = codes;
  fixed(200, 200) = -1;
  EXPECT_EQ(relax_plain(z, fixed, SweepCover::Interior, {100, -1.0f}).sweeps, 101);
  RealGrid flat(NROW(), NCOL(), 3.0f);
  EXPECT_EQ(relax_plain(flat, codes, SweepCover::Interior, {0, 0.0f}).sweeps, 1);
  EXPECT_EQ(relax_plain(flat, codes, SweepCover::Interior, {-5, -1.0f}).sweeps, 1);

  // A limit equal to the largest change of a sweep stops after that sweep.
  RealGrid a(NROW(), NCOL(), 1.0f);
  a(200, 200) = 50.0f;
  RealGrid b = a;
  relax_plain(a, fixed, SweepCover::Interior, {1, -1.0f});  // two sweeps
  const float third = plain_sweep(a, fixed, SweepCover::Interior);
  EXPECT_EQ(relax_plain(b, fixed, SweepCover::Interior, {1000, third}).sweeps, 3);
}

// --- fast against plain ---------------------------------------------------

struct Case {
  std::string name;
  IntGrid codes;
  RealGrid z;
};

// A random grid: free, fixed and dead nodes in proportions that vary from
// case to case, dead nodes on the border, blobs and lines of dead nodes, and
// values from ordinary to huge (sums overflow to infinity and NaN) and tiny
// (subnormal results).
Case random_case(std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  Case c{"seed " + std::to_string(seed), IntGrid(NROW(), NCOL(), 1),
         RealGrid(NROW(), NCOL(), 0.0f)};
  const float p_dead = unit(rng) * 0.5f;
  const float p_fixed = unit(rng) * 0.05f;
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      const float u = unit(rng);
      std::int32_t code = 1 + static_cast<std::int32_t>(rng() % 3);
      if (u < p_dead)
        code = 0;
      else if (u < p_dead + p_fixed)
        code = -1 - static_cast<std::int32_t>(rng() % 3);
      c.codes(i, j) = code;
    }
  }
  // Dead borders and dead lines through the grid.
  for (int j = 1; j <= NCOL(); ++j) {
    if (rng() % 2) c.codes(1, j) = 0;
    if (rng() % 2) c.codes(NROW(), j) = 0;
  }
  for (int i = 1; i <= NROW(); ++i) {
    if (rng() % 2) c.codes(i, 1) = 0;
    if (rng() % 2) c.codes(i, NCOL()) = 0;
  }
  const int line_row = 1 + static_cast<int>(rng() % NROW());
  for (int j = 1; j <= NCOL(); ++j) c.codes(line_row, j) = 0;
  const int line_col = 1 + static_cast<int>(rng() % NCOL());
  for (int i = 1; i <= NROW(); ++i) c.codes(i, line_col) = 1;

  const int scale = static_cast<int>(seed % 4);
  for (float& v : c.z.values()) {
    switch (scale) {
      case 0: v = 100.0f + 900.0f * unit(rng); break;
      case 1: v = (unit(rng) - 0.5f) * 2.0f * 3.0e38f; break;  // overflow: inf, then NaN
      case 2: v = (unit(rng) - 0.5f) * 1.0e-37f; break;        // subnormal quarters
      default: v = std::floor(unit(rng) * 8.0f); break;        // many equal changes
    }
  }
  return c;
}

void expect_same_bits(const RealGrid& plain, const RealGrid& fast, const IntGrid& codes,
                      const std::string& what) {
  long mismatches = 0;
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      if (codes(i, j) == 0) continue;  // scratch for the plain loop, 0.0 in every output
      if (std::bit_cast<std::uint32_t>(plain(i, j)) != std::bit_cast<std::uint32_t>(fast(i, j))) {
        if (++mismatches <= 3) {
          ADD_FAILURE() << what << ": node (" << i << "," << j << ") plain " << plain(i, j)
                        << " fast " << fast(i, j);
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << what;
}

std::vector<SimdPath> paths_here() {
  std::vector<SimdPath> paths;
  for (const SimdPath p : {SimdPath::Portable, SimdPath::Avx2, SimdPath::Avx512}) {
    if (simd_path_available(p)) paths.push_back(p);
  }
  return paths;
}

void compare(const Case& c, SweepCover cover, RelaxLimits limits) {
  RealGrid plain = c.z;
  const RelaxOutcome expected = relax_plain(plain, c.codes, cover, limits);
  for (const SimdPath path : paths_here()) {
    for (const ThreadUse threads : {ThreadUse::One, ThreadUse::Two, ThreadUse::Alternate}) {
      const std::string what = c.name + (cover == SweepCover::Every ? " every" : " interior") +
                               " " + simd_path_name(path) + " threads " +
                               std::to_string(static_cast<int>(threads));
      RealGrid fast = c.z;
      FastOptions options;
      options.path = path;
      options.threads = threads;
      const RelaxOutcome got = relax_fast(fast, c.codes, cover, limits, options);
      EXPECT_EQ(got.sweeps, expected.sweeps) << what;
      EXPECT_EQ(std::bit_cast<std::uint32_t>(got.largest),
                std::bit_cast<std::uint32_t>(expected.largest))
          << what;
      expect_same_bits(plain, fast, c.codes, what);
    }
  }
}

TEST(RelaxFast, EveryPathThisProcessorRunsIsListed) {
  EXPECT_TRUE(simd_path_available(SimdPath::Portable));
  EXPECT_TRUE(simd_path_available(best_simd_path()));
  std::string names;
  for (const SimdPath p : paths_here()) names += std::string(simd_path_name(p)) + " ";
  std::cout << "paths tested: " << names << "\n";
}

TEST(RelaxFast, MatchesPlainBitForBitOnRandomGrids) {
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    const Case c = random_case(seed);
    compare(c, SweepCover::Interior, {3, -1.0f});
    compare(c, SweepCover::Every, {3, -1.0f});
  }
}

TEST(RelaxFast, MatchesPlainWhenTheLimitStopsTheRun) {
  Case c = random_case(40);
  // Free nodes everywhere but a few fixed ones: a slowly converging surface.
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      c.codes(i, j) = (i * 7 + j * 13) % 97 == 0 ? -1 : ((i + j) % 53 == 0 ? 0 : 1);
      c.z(i, j) = static_cast<float>((i * 31 + j * 17) % 200);
    }
  }
  compare(c, SweepCover::Interior, {1000, 4.0f});
  compare(c, SweepCover::Every, {1000, 2.5f});
}

TEST(RelaxFast, MatchesPlainWithNothingToRelax) {
  Case dead{"all dead", all_codes(0), RealGrid(NROW(), NCOL(), 7.0f)};
  compare(dead, SweepCover::Every, {5, 0.0f});
  compare(dead, SweepCover::Every, {5, -1.0f});
  Case fixed{"all fixed", all_codes(-1), RealGrid(NROW(), NCOL(), 7.0f)};
  compare(fixed, SweepCover::Interior, {5, 0.0f});
}

// Free areas that leave whole runs of the strip layout free with live
// neighbours (swept without masks), and small blocks in neighbouring strips
// whose slots do not overlap, one to the right of the other each way round
// (swept one strip after the other by the two-strip kernels).
TEST(RelaxFast, MatchesPlainOnAnIslandAndScatteredBlocks) {
  Case c{"island and blocks", all_codes(0), RealGrid(NROW(), NCOL(), 0.0f)};
  const auto block = [&c](int top, int bottom, int left, int right) {
    for (int i = top; i <= bottom; ++i) {
      for (int j = left; j <= right; ++j) c.codes(i, j) = 1;
    }
  };
  for (int i = 40; i <= 300; ++i) {
    for (int j = 30; j <= 330; ++j) {
      const double di = (i - 170) / 130.0;
      const double dj = (j - 180) / 150.0;
      if (di * di + dj * dj <= 1.0) c.codes(i, j) = (i * 13 + j * 7) % 211 == 0 ? -1 : 1;
    }
  }
  block(322, 330, 5, 20);     // strip 10, at the left ...
  block(355, 360, 250, 300);  // ... strip 11 far to the right
  block(390, 395, 300, 340);  // strip 12 at the right ...
  block(420, 425, 3, 12);     // ... strip 13 at the left
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j)
      c.z(i, j) = static_cast<float>((i * 37 + j * 11) % 500) / 7.0f;
  }
  compare(c, SweepCover::Interior, {40, -1.0f});
  compare(c, SweepCover::Every, {40, -1.0f});
}

// Every size of grid: one row, one column, columns no multiple of the vector
// width, rows one short of and one past a whole strip.
TEST(RelaxFast, MatchesPlainOnGridsOfEverySize) {
  std::vector<kit_test::OtherGrid> grids = kit_test::other_grids();
  grids.push_back({"2 x 2", {2, 2, 1000.0f, 0.0f, 0.0f}});
  grids.push_back({"17 x 31", {17, 31, 1000.0f, 0.0f, 0.0f}});
  grids.push_back({"15 x 65", {15, 65, 1000.0f, 0.0f, 0.0f}});
  for (const kit_test::OtherGrid& g : grids) {
    const gridkit::GridScope scope(g.grid);
    for (std::uint32_t seed : {1u, 4u, 7u}) {
      Case c = random_case(seed);
      c.name = std::string(g.name) + " " + c.name;
      compare(c, SweepCover::Interior, {4, -1.0f});
      compare(c, SweepCover::Every, {4, -1.0f});
    }
    Case smooth{std::string(g.name) + " converging", all_codes(1), RealGrid(NROW(), NCOL(), 0.0f)};
    smooth.codes(1, 1) = -1;
    smooth.z(1, 1) = 90.0f;
    compare(smooth, SweepCover::Every, {500, 0.5f});
  }
}

TEST(RelaxFast, ReportsEverySweepToTheProgressCallback) {
  Case c = random_case(3);
  std::vector<long long> seen;
  FastOptions options;
  options.progress = [&seen](long long sweeps, float) { seen.push_back(sweeps); };
  const RelaxOutcome got = relax_fast(c.z, c.codes, SweepCover::Interior, {4, -1.0f}, options);
  EXPECT_EQ(got.sweeps, 5);
  EXPECT_EQ(seen, (std::vector<long long>{1, 2, 3, 4, 5}));
}

}  // namespace
}  // namespace brisket
