// How the work grows with the grid: BRISKET's relaxation, QUARRYPIT's curve
// (crossings, band and fill) and the array writers and readers on square-ish
// grids of growing size. Each size runs in a child process of its own, so
// its peak memory is its own; every figure is also given per cell, which
// stays flat when time and memory grow in proportion to the cells.
//
//   bench-grid_scale [COLSxROWS[:SWEEPS] ...]
//     default 361x470:20 2000x2000:4 5000x5000:2
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/clock.hpp"
#include "gridkit/arrays.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/textfile.hpp"
#include "tools/brisket/relax.hpp"
#include "tools/quarrypit/curve.hpp"

namespace {

using bench::seconds_since;

struct Size {
  int columns;
  int rows;
  int sweeps;
};

// Peak resident memory of this process so far, in MiB.
double peak_mib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void report(const char* what, const Size& s, double seconds, double base_mib) {
  const double cells = static_cast<double>(s.columns) * s.rows;
  const double mib = peak_mib() - base_mib;
  std::printf("  %-30s %9.3f s %8.1f ns/cell   peak %8.1f MiB %6.1f B/cell\n", what, seconds,
              seconds * 1e9 / cells, mib, mib * 1048576.0 / cells);
  std::fflush(stdout);
}

// A wavy closed curve over the middle of the grid, 400 vertices.
std::vector<quarrypit::Vertex> wavy_curve() {
  std::vector<quarrypit::Vertex> curve;
  const double cx = gridkit::node_x_double((gridkit::NCOL() + 1) / 2) + 0.3 * gridkit::DELR();
  const double cy = gridkit::node_y_double((gridkit::NROW() + 1) / 2) + 0.3 * gridkit::DELC();
  const double rx = 0.4 * gridkit::NCOL() * gridkit::DELR();
  const double ry = 0.4 * gridkit::NROW() * gridkit::DELC();
  for (int k = 0; k < 400; ++k) {
    const double a = 2.0 * 3.14159265358979 * k / 400;
    const double wobble = 1.0 + 0.15 * std::sin(17.0 * a);
    curve.push_back({static_cast<float>(cx + rx * wobble * std::cos(a)),
                     static_cast<float>(cy + ry * wobble * std::sin(a))});
  }
  return curve;
}

void run_size(const Size& s, const std::filesystem::path& scratch) {
  const gridkit::GridScope scope(
      gridkit::ModelGrid{s.columns, s.rows, 100.0f, 100000.0f, 900000.0f});
  const double base = peak_mib();
  std::printf("%d x %d (%.2f million cells)\n", s.columns, s.rows,
              static_cast<double>(s.columns) * s.rows / 1e6);

  // QUARRYPIT: trace one curve (crossings and band), fill and merge.
  {
    const auto start = std::chrono::steady_clock::now();
    gridkit::IntGrid izone, iedge, icurve;
    quarrypit::CurveTracer tracer(iedge);
    tracer.start_curve();
    for (const quarrypit::Vertex& v : wavy_curve()) tracer.add_vertex(v);
    tracer.close_curve();
    tracer.crossings().fill(icurve, 3);
    for (std::size_t k = 0; k < izone.values().size(); ++k)
      if (icurve.values()[k] != 0) izone.values()[k] = icurve.values()[k];
    report("quarrypit curve and fill", s, seconds_since(start), base);
  }

  // BRISKET: the fast relaxation, one thread, inside an elliptic active area.
  {
    gridkit::IntGrid codes;
    gridkit::RealGrid z(gridkit::NROW(), gridkit::NCOL(), 0.0f);
    for (int i = 1; i <= gridkit::NROW(); ++i)
      for (int j = 1; j <= gridkit::NCOL(); ++j) {
        const double di = (i - 0.5 * gridkit::NROW()) / (0.5 * gridkit::NROW());
        const double dj = (j - 0.5 * gridkit::NCOL()) / (0.5 * gridkit::NCOL());
        codes(i, j) = di * di + dj * dj <= 1.0 ? ((i * 7 + j * 13) % 997 == 0 ? -1 : 1) : 0;
        z(i, j) = static_cast<float>((i * 31 + j * 17) % 200);
      }
    brisket::FastOptions options;
    options.threads = brisket::ThreadUse::One;
    const auto start = std::chrono::steady_clock::now();
    const brisket::RelaxOutcome outcome = brisket::relax_fast(
        z, codes, brisket::SweepCover::Interior, {s.sweeps - 1, -1.0f}, options);
    const double seconds = seconds_since(start);
    char what[64];
    std::snprintf(what, sizeof what, "brisket %lld sweeps (per sweep)", outcome.sweeps);
    report(what, s, seconds / static_cast<double>(outcome.sweeps), base);

    // Array files: the fixed real form and the integer form, written and read.
    const std::filesystem::path real_file = scratch / "Z.DAT";
    const std::filesystem::path int_file = scratch / "CODES.BOL";
    auto t = std::chrono::steady_clock::now();
    {
      gridkit::OutFile out(real_file, "Z.DAT");
      gridkit::write_fixed_grid(out, z);
      out.close();
      gridkit::OutFile codes_out(int_file, "CODES.BOL");
      gridkit::write_int_grid(codes_out, codes);
      codes_out.close();
    }
    report("write fixed + integer", s, seconds_since(t), base);
    t = std::chrono::steady_clock::now();
    {
      gridkit::InFile in = gridkit::InFile::open_existing(real_file, "Z.DAT");
      const gridkit::RealGrid back = gridkit::read_fixed_grid(in);
      gridkit::InFile codes_in = gridkit::InFile::open_existing(int_file, "CODES.BOL");
      const gridkit::IntGrid codes_back = gridkit::read_int_grid(codes_in);
      if (codes_back.values() != codes.values())
        std::printf("  integer array read back differs!\n");
    }
    report("read fixed + integer", s, seconds_since(t), base);
    std::filesystem::remove(real_file);
    std::filesystem::remove(int_file);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Size> sizes;
  for (int k = 1; k < argc; ++k) {
    Size s{0, 0, 2};
    if (std::sscanf(argv[k], "%dx%d:%d", &s.columns, &s.rows, &s.sweeps) < 2 || s.columns < 1 ||
        s.rows < 1 || s.sweeps < 1) {
      std::fprintf(stderr, "usage: bench-grid_scale [COLSxROWS[:SWEEPS] ...]\n");
      return 2;
    }
    sizes.push_back(s);
  }
  if (sizes.empty()) sizes = {{361, 470, 20}, {2000, 2000, 4}, {5000, 5000, 2}};
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("bench-grid_scale." + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  std::printf("peak memory: above the process's own at the start of each size\n");
  std::fflush(stdout);
  int failures = 0;
  for (const Size& s : sizes) {
    const pid_t child = fork();
    if (child == 0) {
      run_size(s, scratch);
      std::fflush(stdout);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
  }
  std::filesystem::remove_all(scratch);
  return failures == 0 ? 0 : 1;
}
