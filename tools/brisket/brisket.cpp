// The family's run: dialogue, open files, read and seed, relax, write the
// ".BSK" model array and the ".GRD" text grid, report the sweep count.
#include "tools/brisket/brisket.hpp"

#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "gridkit/arrays.hpp"
#include "gridkit/dialogue.hpp"
#include "gridkit/dsaa.hpp"
#include "gridkit/notes.hpp"
#include "gridkit/record.hpp"
#include "tools/brisket/progress.hpp"
#include "tools/brisket/relax.hpp"
#include "tools/brisket/seeding.hpp"

namespace brisket {

using gridkit::Console;
using gridkit::InFile;
using gridkit::IntGrid;
using gridkit::NCOL;
using gridkit::NROW;
using gridkit::OutFile;
using gridkit::RealGrid;
using gridkit::Record;

namespace {

constexpr int kNameLength = 40;  // name field of every input file
constexpr int kBaseLength = 8;   // the output base name

// Units named by the blank-name retry prompt.
constexpr int kIboundUnit = 10;
constexpr int kPointUnit = 11;
constexpr int kGridUnit = 12;
constexpr int kHeldUnit = 13;
constexpr int kOutputUnit = 14;

struct Outputs {
  OutFile bsk;
  OutFile grd;
};

InFile ask_existing(Console& con, const std::filesystem::path& folder, const char* prompt,
                    int unit) {
  return gridkit::ask_existing(con, folder, Record().text(prompt), kNameLength, unit);
}

// Both output names are shown and both files created at once.
Outputs ask_outputs(Console& con, const std::filesystem::path& folder) {
  constexpr std::string_view kExtensions[] = {".BSK", ".GRD"};
  const std::string base =
      gridkit::ask_base(con, Record().text("ENTER THE FIRST 8 CHARACTERS OF THE OUTPUT FILENAME: "),
                        kBaseLength, kOutputUnit);
  gridkit::show_output_names(con, base, kExtensions);
  auto [bsk, grd] = gridkit::create_outputs(folder, base, kExtensions);
  return {std::move(bsk), std::move(grd)};
}

RelaxLimits ask_limits(Console& con) {
  RelaxLimits limits;
  con.write(Record().text("ENTER MAXIMUM ITERATIONS:   "));
  long long max_sweeps[1] = {};
  con.read_values(std::span(max_sweeps));
  limits.max_sweeps = max_sweeps[0];
  con.write(Record().text("ENTER CONVERGENCE:  "));
  float limit[1] = {};
  con.read_values(std::span(limit));
  limits.limit = limit[0];
  return limits;
}

RelaxOutcome relax(RealGrid& z, const IntGrid& codes, SweepCover cover, RelaxLimits limits,
                   Engine engine) {
  TerminalProgress progress;
  ProgressFn report;
  if (progress.active())
    report = [&progress](long long sweeps, float largest) { progress(sweeps, largest); };
  if (engine == Engine::Plain) return relax_plain(z, codes, cover, limits, report);
  FastOptions options;
  options.progress = report;
  return relax_fast(z, codes, cover, limits, options);
}

// Dead nodes are written as 0.0; every node written also counts toward the
// extremes, which are not reset first.
void write_outputs(Outputs& out, RealGrid& z, const IntGrid& codes, Extremes extremes) {
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      if (codes(i, j) == 0) z(i, j) = 0.0f;
      extremes.include(z(i, j));
    }
  }
  gridkit::write_fixed_grid(out.bsk, z);
  gridkit::write_dsaa(out.grd, z, extremes.smallest, extremes.largest);
  out.bsk.flush();
  out.grd.flush();
}

// The console shows only the sweep count; standard error also says which
// limit ended the relaxation, so a run cut short by the sweep limit does not
// pass for a converged one.
void finish(Console& con, const char* member, const RelaxLimits& limits,
            const RelaxOutcome& outcome) {
  con.write(Record().text("ITERATIONS COMPLETED ").integer(outcome.sweeps));
  char largest[32];
  std::snprintf(largest, sizeof largest, "%.9g", static_cast<double>(outcome.largest));
  const bool converged = outcome.largest <= limits.limit;
  gridkit::note(std::string(member) + ": stopped by the " +
                (converged ? "convergence limit" : "sweep limit") + " after " +
                std::to_string(outcome.sweeps) + (outcome.sweeps == 1 ? " sweep" : " sweeps") +
                "; largest change of the last sweep " + largest);
  con.stop();
}

// BRISKET and its earlier build: points snapped to nodes inside IBOUND.
void run_points(Console& con, const std::filesystem::path& folder, const char* member, float start,
                SweepCover cover, Engine engine) {
  con.banner("BRISKET");
  InFile ibound =
      ask_existing(con, folder, "ENTER THE NAME OF THE IBOUND INPUT FILE: ", kIboundUnit);
  InFile points =
      ask_existing(con, folder, "ENTER THE NAME OF THE CRSTM X,Y,Z INPUT DATA FILE", kPointUnit);
  Outputs out = ask_outputs(con, folder);
  const RelaxLimits limits = ask_limits(con);

  RealGrid z(NROW(), NCOL(), start);
  IntGrid codes = gridkit::read_int_grid(ibound);
  Extremes extremes;
  place_points(points, z, codes, extremes);
  const RelaxOutcome outcome = relax(z, codes, cover, limits, engine);
  write_outputs(out, z, codes, extremes);
  finish(con, member, limits, outcome);
}

// BRISKET2: a whole grid smoothed inside IBOUND.
void run_smoothing(Console& con, const std::filesystem::path& folder, Engine engine) {
  con.banner("BRISKET2");
  InFile ibound =
      ask_existing(con, folder, "ENTER THE NAME OF THE IBOUND INPUT FILE: ", kIboundUnit);
  InFile grid = ask_existing(con, folder, "ENTER THE NAME OF THE INPUT GRID FILE", kGridUnit);
  Outputs out = ask_outputs(con, folder);
  const RelaxLimits limits = ask_limits(con);

  RealGrid z(NROW(), NCOL(), 0.0f);
  IntGrid codes(NROW(), NCOL(), 0);
  for (int i = 1; i <= NROW(); ++i) {
    gridkit::read_int_row(ibound, codes.row(i));
    gridkit::read_fixed_row(grid, z.row(i));
  }
  const RelaxOutcome outcome = relax(z, codes, SweepCover::Every, limits, engine);
  write_outputs(out, z, codes, Extremes{1000.0f, 0.0f});
  finish(con, "BRISKET2", limits, outcome);
}

// BRISKET4: a starting grid, nodes held at it, and points.
void run_seeded(Console& con, const std::filesystem::path& folder, Engine engine) {
  con.banner("BRISKET4");
  InFile active =
      ask_existing(con, folder, "ENTER THE NAME OF THE IBOUND=1 INPUT FILE: ", kIboundUnit);
  InFile held =
      ask_existing(con, folder, "ENTER THE NAME OF THE IBOUND=-1 INPUT FILE: ", kHeldUnit);
  InFile matrix = ask_existing(con, folder, "ENTER THE NAME OF THE MATRIX FILE: ", kGridUnit);
  InFile points =
      ask_existing(con, folder, "ENTER THE NAME OF THE CRSTM X,Y,Z INPUT DATA FILE", kPointUnit);
  Outputs out = ask_outputs(con, folder);
  const RelaxLimits limits = ask_limits(con);

  RealGrid z(NROW(), NCOL(), 0.0f);
  IntGrid codes(NROW(), NCOL(), 0);
  IntGrid held_codes(NROW(), NCOL(), 0);
  for (int i = 1; i <= NROW(); ++i) {
    gridkit::read_int_row(active, codes.row(i));
    gridkit::read_fixed_row(matrix, z.row(i));
    gridkit::read_int_row(held, held_codes.row(i));
    for (int j = 1; j <= NCOL(); ++j) {
      if (held_codes(i, j) == -1) codes(i, j) = -1;  // only -1 holds a node
    }
  }
  Extremes extremes;
  place_points(points, z, codes, extremes);
  const RelaxOutcome outcome = relax(z, codes, SweepCover::Interior, limits, engine);
  write_outputs(out, z, codes, extremes);
  finish(con, "BRISKET4", limits, outcome);
}

}  // namespace

void run_member(Console& con, const std::filesystem::path& folder, Member member, Engine engine) {
  switch (member) {
    case Member::Brisket:
      return run_points(con, folder, "BRISKET", 1.0f, SweepCover::Interior, engine);
    case Member::BrisketEarly:
      return run_points(con, folder, "BRISKET (earlier build)", 1000.0f, SweepCover::Every, engine);
    case Member::Brisket2: return run_smoothing(con, folder, engine);
    case Member::Brisket4: return run_seeded(con, folder, engine);
  }
}

void run_brisket(Console& con, const std::filesystem::path& folder) {
  run_member(con, folder, Member::Brisket);
}
void run_brisket_early(Console& con, const std::filesystem::path& folder) {
  run_member(con, folder, Member::BrisketEarly);
}
void run_brisket2(Console& con, const std::filesystem::path& folder) {
  run_member(con, folder, Member::Brisket2);
}
void run_brisket4(Console& con, const std::filesystem::path& folder) {
  run_member(con, folder, Member::Brisket4);
}

}  // namespace brisket
