// Speed of the gridding family's relaxation: the plain loop against the fast
// sweep on every SIMD path this processor runs, with one thread, two threads
// and the automatic choice between them, on
// one realistic case: an irregular active area over most of the grid with a
// constant-head lake, 300 points held fixed, every other node starting from
// 1.0, and a convergence limit of 0.0 so that every run makes the same number
// of sweeps. Each fast run is checked bit for bit against the plain one.
//
// Prints nanoseconds per node update (a free node recomputed once), best and
// median of the repeats, in elapsed time and in processor time of the whole
// process (which shows the cost of two threads waiting on each other), and
// the ratio of the best elapsed time to the plain loop's.
//
// Given a folder holding the main job's ZONES.BOL and WLPOINTS.XYZ, it instead
// runs the main job's BRISKET step whole (dialogue, reading, seeding,
// relaxation, both outputs) in-process, once with the plain loop and once
// with the fast sweep, and prints "end-to-end plain vs fast": the ratio of
// the best processor times and of the best elapsed times, after checking
// that both ways wrote the same bytes.
// Usage: bench-brisket_sweep [sweeps] [repeats] [main-job folder]
#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bench/clock.hpp"
#include "gridkit/tool_main.hpp"
#include "tools/brisket/brisket.hpp"
#include "tools/brisket/relax.hpp"
#include "tools/brisket/strip_grid.hpp"

namespace {

using bench::seconds_since;
using gridkit::IntGrid;
using gridkit::NCOL;
using gridkit::NROW;
using gridkit::RealGrid;

struct Case {
  IntGrid codes{NROW(), NCOL(), 0};
  RealGrid z{NROW(), NCOL(), 1.0f};
  long free_nodes = 0;
};

Case realistic_case() {
  Case c;
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      const double dx = (j - 180.0) / 168.0;
      const double dy = (i - 235.0) / 222.0;
      const double wobble =
          0.15 * std::sin(j / 13.0) + 0.1 * std::cos(i / 19.0) + 0.05 * std::sin((i + j) / 7.0);
      if (dx * dx + dy * dy > 1.0 + wobble) continue;
      c.codes(i, j) = ((j - 120) * (j - 120) + (i - 150) * (i - 150) < 14 * 14) ? -1 : 1;
    }
  }
  std::mt19937 rng(2024);
  for (int placed = 0; placed < 300;) {
    const int i = 2 + static_cast<int>(rng() % (NROW() - 2));
    const int j = 2 + static_cast<int>(rng() % (NCOL() - 2));
    if (c.codes(i, j) < 1) continue;
    c.codes(i, j) = -1;
    c.z(i, j) = 100.0f + static_cast<float>(rng() % 20000) / 100.0f;
    ++placed;
  }
  for (int i = 2; i < NROW(); ++i) {
    for (int j = 2; j < NCOL(); ++j) c.free_nodes += c.codes(i, j) >= 1 ? 1 : 0;
  }
  return c;
}

bool same_bits(const RealGrid& a, const RealGrid& b, const IntGrid& codes) {
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      if (codes(i, j) != 0 &&
          std::bit_cast<std::uint32_t>(a(i, j)) != std::bit_cast<std::uint32_t>(b(i, j))) {
        return false;
      }
    }
  }
  return true;
}

double cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Timing {
  double best_cpu = 0.0;
  double best_wall = 0.0;
  std::string bytes;  // the console and both outputs of the last run
};

brisket::Engine g_engine = brisket::Engine::Fast;

// The main job's BRISKET step, whole, `repeats` times in `folder`.
Timing time_member(const std::filesystem::path& folder, brisket::Engine engine, int repeats) {
  g_engine = engine;
  const std::string answers = "ZONES.BOL\nWLPOINTS.XYZ\nWLEVEL\n10000\n0.001\n";
  Timing t;
  for (int r = 0; r < repeats; ++r) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu_start = cpu_seconds();
    const gridkit::ToolRun run = gridkit::run_tool(
        [](gridkit::Console& con, const std::filesystem::path& f) {
          brisket::run_member(con, f, brisket::Member::Brisket, g_engine);
        },
        answers, folder);
    const double wall = seconds_since(start);
    const double cpu = cpu_seconds() - cpu_start;
    if (run.status != 0) {
      std::fprintf(stderr, "BRISKET failed: %s\n", run.error.c_str());
      std::exit(2);
    }
    if (r == 0 || cpu < t.best_cpu) t.best_cpu = cpu;
    if (r == 0 || wall < t.best_wall) t.best_wall = wall;
    t.bytes = run.output + read_bytes(folder / "WLEVEL.BSK") + read_bytes(folder / "WLEVEL.GRD");
  }
  return t;
}

// The end-to-end figure; false when the two ways wrote different bytes.
bool end_to_end(const std::filesystem::path& job, int repeats) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "bench-brisket-end-to-end";
  std::filesystem::create_directories(folder);
  for (const char* name : {"ZONES.BOL", "WLPOINTS.XYZ"}) {
    std::filesystem::copy_file(job / name, folder / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  const Timing plain = time_member(folder, brisket::Engine::Plain, std::max(1, repeats / 2));
  const Timing fast = time_member(folder, brisket::Engine::Fast, repeats);
  std::filesystem::remove_all(folder);
  const bool same = plain.bytes == fast.bytes;
  std::printf(
      "end-to-end plain vs fast (main job's BRISKET, best of %d/%d): plain %.1f ms cpu %.1f ms "
      "wall, "
      "fast %.1f ms cpu %.1f ms wall: %.1fx cpu, %.1fx wall, %s\n",
      std::max(1, repeats / 2), repeats, plain.best_cpu * 1e3, plain.best_wall * 1e3,
      fast.best_cpu * 1e3, fast.best_wall * 1e3, plain.best_cpu / fast.best_cpu,
      plain.best_wall / fast.best_wall, same ? "same bytes" : "DIFFERENT BYTES");
  return same;
}

}  // namespace

int main(int argc, char** argv) {
  const long long max_sweeps = argc > 1 ? std::atoll(argv[1]) : 300;
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
  if (argc > 3) return end_to_end(argv[3], repeats) ? 0 : 1;
  const Case c = realistic_case();
  const brisket::RelaxLimits limits{max_sweeps, 0.0f};

  RealGrid plain = c.z;
  auto start = std::chrono::steady_clock::now();
  double cpu_start = cpu_seconds();
  const brisket::RelaxOutcome expected =
      brisket::relax_plain(plain, c.codes, brisket::SweepCover::Interior, limits);
  const double plain_seconds = seconds_since(start);
  const double plain_cpu = cpu_seconds() - cpu_start;
  const double updates = static_cast<double>(expected.sweeps) * static_cast<double>(c.free_nodes);
  const double plain_ns = plain_seconds * 1e9 / updates;
  std::printf(
      "case: %ld free nodes, 300 fixed points, %lld sweeps, largest change of the last %.6g\n",
      c.free_nodes, expected.sweeps, static_cast<double>(expected.largest));
  std::printf(
      "strip layout and masks: %.2f MB\n",
      static_cast<double>(brisket::StripGrid(c.codes, brisket::SweepCover::Interior).bytes()) /
          1e6);
  std::printf("%-10s %7s %12s %10s %10s %10s %s\n", "path", "threads", "best ns/node", "median",
              "cpu ns", "ratio", "bits");
  std::printf("%-10s %7s %12.3f %10s %10.3f %10s %s\n", "plain", "1", plain_ns, "",
              plain_cpu * 1e9 / updates, "1.0", "reference");

  // Indexed by ThreadUse.
  const char* const thread_names[] = {"auto", "1", "2", "1/2"};
  bool all_same = true;
  for (const brisket::SimdPath path :
       {brisket::SimdPath::Portable, brisket::SimdPath::Avx2, brisket::SimdPath::Avx512}) {
    if (!brisket::simd_path_available(path)) continue;
    for (const brisket::ThreadUse threads :
         {brisket::ThreadUse::One, brisket::ThreadUse::Two, brisket::ThreadUse::Automatic}) {
      std::vector<double> ns;
      std::vector<double> cpu_ns;
      bool same = true;
      for (int r = 0; r < repeats; ++r) {
        RealGrid fast = c.z;
        brisket::FastOptions options;
        options.path = path;
        options.threads = threads;
        start = std::chrono::steady_clock::now();
        cpu_start = cpu_seconds();
        const brisket::RelaxOutcome got =
            brisket::relax_fast(fast, c.codes, brisket::SweepCover::Interior, limits, options);
        ns.push_back(seconds_since(start) * 1e9 / updates);
        cpu_ns.push_back((cpu_seconds() - cpu_start) * 1e9 / updates);
        same = same && got.sweeps == expected.sweeps &&
               std::bit_cast<std::uint32_t>(got.largest) ==
                   std::bit_cast<std::uint32_t>(expected.largest) &&
               same_bits(plain, fast, c.codes);
      }
      std::sort(ns.begin(), ns.end());
      std::sort(cpu_ns.begin(), cpu_ns.end());
      all_same = all_same && same;
      std::printf("%-10s %7s %12.3f %10.3f %10.3f %9.1fx %s\n", brisket::simd_path_name(path),
                  thread_names[static_cast<int>(threads)], ns.front(), ns[ns.size() / 2],
                  cpu_ns.front(), plain_ns / ns.front(), same ? "identical" : "DIFFERENT");
    }
  }
  return all_same ? 0 : 1;
}
