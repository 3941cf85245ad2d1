// The reference relaxation: the sweep exactly as the family's modellers
// wrote it, one node after another. The fast sweep is tested against it.
#include <cmath>

#include "tools/brisket/relax.hpp"

namespace brisket {

using gridkit::NCOL;
using gridkit::NROW;

float plain_sweep(gridkit::RealGrid& z, const gridkit::IntGrid& codes, SweepCover cover) {
  const int edge = cover == SweepCover::Every ? 1 : 2;
  float largest = 0.0f;
  for (int i = edge; i <= NROW() + 1 - edge; ++i) {
    for (int j = edge; j <= NCOL() + 1 - edge; ++j) {
      if (codes(i, j) < 1) continue;
      const float old = z(i, j);
      // Dead neighbours take the old value first, west, east, north, south.
      if (j > 1 && codes(i, j - 1) == 0) z(i, j - 1) = old;
      if (j < NCOL() && codes(i, j + 1) == 0) z(i, j + 1) = old;
      if (i > 1 && codes(i - 1, j) == 0) z(i - 1, j) = old;
      if (i < NROW() && codes(i + 1, j) == 0) z(i + 1, j) = old;
      // A neighbour outside the grid (only reached by the full cover) is a
      // no-flow edge as well: it contributes the old value.
      const float west = j > 1 ? z(i, j - 1) : old;
      const float east = j < NCOL() ? z(i, j + 1) : old;
      const float north = i > 1 ? z(i - 1, j) : old;
      const float south = i < NROW() ? z(i + 1, j) : old;
      const float value = (east + south + west + north) / 4.0f;
      z(i, j) = value;
      const float change = std::fabs(value - old);
      if (change > largest) largest = change;
    }
  }
  return largest;
}

RelaxOutcome relax_plain(gridkit::RealGrid& z, const gridkit::IntGrid& codes, SweepCover cover,
                         RelaxLimits limits, const ProgressFn& progress) {
  RelaxOutcome outcome;
  // The stop test comes after the sweep: at least one sweep always runs.
  do {
    ++outcome.sweeps;
    outcome.largest = plain_sweep(z, codes, cover);
    if (progress) progress(outcome.sweeps, outcome.largest);
  } while (!(outcome.sweeps > limits.max_sweeps || outcome.largest <= limits.limit));
  return outcome;
}

}  // namespace brisket
