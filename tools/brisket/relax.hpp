// The relaxation shared by the gridding family: Gauss-Seidel sweeps of the
// four-neighbour mean over the free nodes of the grid, until the largest
// change of a sweep falls to the convergence limit or the sweep count passes
// the maximum.
//
// Node kinds by code: 1 or more free (recomputed), negative fixed (kept),
// 0 dead (takes no part; a free node's dead neighbour contributes the free
// node's old value, so the edge of the active area is a no-flow edge).
//
// Two implementations give the same bits:
//  - relax_plain: the loop as a modeller would write it, node after node,
//    rows north to south, columns west to east; kept as the reference.
//  - relax_fast: the same arithmetic reordered along anti-diagonals (all
//    nodes of one are independent), SIMD lanes across rows, and two threads
//    working one sweep apart on the upper and lower bands of rows.
// Both leave every non-dead node with identical bits and report the same
// sweep count and largest change. Dead nodes are scratch for the plain loop
// (it copies old values into them) and untouched by the fast one; the tools
// write dead nodes as 0.0 whatever they hold.
#pragma once

#include <functional>

#include "gridkit/grid.hpp"

namespace brisket {

// Which nodes a sweep visits.
enum class SweepCover {
  Interior,  // rows 2..NROW()-1, columns 2..NCOL()-1: the outermost nodes are kept
  Every,     // every node; a neighbour outside the grid contributes the old value
};

struct RelaxLimits {
  long long max_sweeps = 0;  // the run stops once the sweep count exceeds it
  float limit = 0.0f;        // ... or once the largest change is at most this
};

struct RelaxOutcome {
  long long sweeps = 0;  // sweeps made, at least 1
  float largest = 0.0f;  // largest change of the last sweep
};

// Called after every sweep with the sweep count and that sweep's largest change.
using ProgressFn = std::function<void(long long sweeps, float largest)>;

// One plain sweep in place; returns its largest change.
float plain_sweep(gridkit::RealGrid& z, const gridkit::IntGrid& codes, SweepCover cover);

RelaxOutcome relax_plain(gridkit::RealGrid& z, const gridkit::IntGrid& codes, SweepCover cover,
                         RelaxLimits limits, const ProgressFn& progress = {});

// The instruction sets the fast sweep can use; every one gives the same bits.
enum class SimdPath { Portable, Avx2, Avx512 };

// Whether this processor can run `path`.
bool simd_path_available(SimdPath path);
// The widest path this processor runs.
SimdPath best_simd_path();
const char* simd_path_name(SimdPath path);

// How many threads sweep. The results are the same bits in every case.
enum class ThreadUse {
  Automatic,  // two when the machine has two cores and two are faster now (measured as it runs)
  One,
  Two,
  Alternate,  // one and two by turns, sweep by sweep: for tests of the hand-over
};

struct FastOptions {
  SimdPath path = best_simd_path();
  ThreadUse threads = ThreadUse::Automatic;
  ProgressFn progress;
};

RelaxOutcome relax_fast(gridkit::RealGrid& z, const gridkit::IntGrid& codes, SweepCover cover,
                        RelaxLimits limits, const FastOptions& options = {});

}  // namespace brisket
