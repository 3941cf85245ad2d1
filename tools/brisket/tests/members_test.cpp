// BRISKET2 (smoothing a grid) and BRISKET4 (a grid, held nodes and points),
// and every member giving the same files with the fast and the plain sweep.
#include <gtest/gtest.h>

#include <random>

#include "tools/brisket/brisket.hpp"
#include "tools/brisket/tests/tool_files.hpp"

namespace brisket {
namespace {

using namespace brisket::testing;

std::string brisket2_answers(const std::string& max_sweeps, const std::string& limit) {
  return answers({"IBOUND.ARR", "GRID.BSK", "SMOOTH", max_sweeps, limit});
}

std::string brisket4_answers(const std::string& max_sweeps, const std::string& limit) {
  return answers({"IBOUND.ARR", "HELD.ARR", "MATRIX.BSK", "PTS.XYZ", "SEEDED", max_sweeps, limit});
}

TEST(Brisket2, ShowsItsDialogue) {
  const ScratchFolder folder;
  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
  write_fixed_grid(folder / "GRID.BSK", RealGrid(NROW(), NCOL(), 12.0f));
  const gridkit::ToolRun run = run_in(folder, run_brisket2, brisket2_answers("5", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(run.output,
            " ****************************\n"
            " *         BRISKET2         *\n"
            " *  GROUNDWATER MODEL KIT   *\n"
            " *  GRID PREPARATION TOOLS  *\n"
            " ****************************\n"
            "ENTER THE NAME OF THE IBOUND INPUT FILE: \n"
            "ENTER THE NAME OF THE INPUT GRID FILE\n"
            "ENTER THE FIRST 8 CHARACTERS OF THE OUTPUT FILENAME: \n"
            "SMOOTH.BSK\n"
            "SMOOTH.GRD\n"
            "ENTER MAXIMUM ITERATIONS:   \n"
            "ENTER CONVERGENCE:  \n"
            "ITERATIONS COMPLETED           1\n"  // a flat grid is already smooth
            "Stop - Program terminated.\n");
}

TEST(Brisket2, AllZeroIboundLeavesNothingToRelax) {
  const ScratchFolder folder;
  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 0));
  write_fixed_grid(folder / "GRID.BSK", RealGrid(NROW(), NCOL(), 2500.0f));
  const gridkit::ToolRun run = run_in(folder, run_brisket2, brisket2_answers("50", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(completed_line(run), "ITERATIONS COMPLETED           1");
  const RealGrid z = read_fixed_grid(folder / "SMOOTH.BSK");
  for (const float v : z.values()) ASSERT_EQ(v, 0.0f);
  EXPECT_EQ(zrange_line(folder / "SMOOTH.GRD"), "    0.000000E+00    0.000000E+00");
}

TEST(Brisket2, AGridThatIsAlreadyTheMeanStopsAtOnceUnlessTheLimitIsNegative) {
  const ScratchFolder folder;
  // A plane held on the outermost nodes: every free node is already the mean
  // of its neighbours, exactly (small integers add without rounding).
  IntGrid codes(NROW(), NCOL(), 1);
  RealGrid plane(NROW(), NCOL(), 0.0f);
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      plane(i, j) = static_cast<float>(100 + 2 * j + i);
      if (i == 1 || j == 1 || i == NROW() || j == NCOL()) codes(i, j) = -1;
    }
  }
  write_int_grid(folder / "IBOUND.ARR", codes);
  write_fixed_grid(folder / "GRID.BSK", plane);
  gridkit::ToolRun run = run_in(folder, run_brisket2, brisket2_answers("50", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(completed_line(run), "ITERATIONS COMPLETED           1");
  EXPECT_EQ(read_fixed_grid(folder / "SMOOTH.BSK")(200, 100), plane(200, 100));

  // A flat grid with dead nodes is the mean everywhere.
  IntGrid some_dead(NROW(), NCOL(), 1);
  for (int j = 1; j <= NCOL(); j += 7) some_dead(200, j) = 0;
  write_int_grid(folder / "IBOUND.ARR", some_dead);
  write_fixed_grid(folder / "GRID.BSK", RealGrid(NROW(), NCOL(), 2500.0f));
  run = run_in(folder, run_brisket2, brisket2_answers("50", "0.0"));
  EXPECT_EQ(completed_line(run), "ITERATIONS COMPLETED           1");
  run = run_in(folder, run_brisket2, brisket2_answers("50", "-1.0"));
  EXPECT_EQ(completed_line(run), "ITERATIONS COMPLETED          51");
}

TEST(Brisket2, ZminStartsAt1000AndZmaxAt0) {
  const ScratchFolder folder;
  RealGrid grid(NROW(), NCOL(), 0.0f);
  std::mt19937 rng(7);
  for (float& v : grid.values()) v = 2000.0f + static_cast<float>(rng() % 10000) / 10.0f;
  write_fixed_grid(folder / "GRID.BSK", grid);
  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
  gridkit::ToolRun run = run_in(folder, run_brisket2, brisket2_answers("3", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(zrange_line(folder / "SMOOTH.GRD").substr(0, 16), "     1000.000000");

  IntGrid codes(NROW(), NCOL(), 1);
  codes(300, 300) = 0;
  write_int_grid(folder / "IBOUND.ARR", codes);
  run = run_in(folder, run_brisket2, brisket2_answers("3", "0.0"));
  ASSERT_EQ(run.status, 0) << run.error;
  EXPECT_EQ(zrange_line(folder / "SMOOTH.GRD").substr(0, 16), "    0.000000E+00");
}

TEST(Brisket2, ShortGridFileIsReported) {
  const ScratchFolder folder;
  write_int_grid(folder / "IBOUND.ARR", IntGrid(NROW(), NCOL(), 1));
  write_text(folder / "GRID.BSK", "   1.0   2.0\n");
  const gridkit::ToolRun run = run_in(folder, run_brisket2, brisket2_answers("3", "0.0"));
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("GRID.BSK"), std::string::npos) << run.error;
}

// BRISKET4's inputs: an all-active IBOUND and a matrix of 1.0 unless given.
struct Seeded {
  ScratchFolder folder;
  IntGrid active{NROW(), NCOL(), 1};
  IntGrid held{NROW(), NCOL(), 0};
  RealGrid matrix{NROW(), NCOL(), 1.0f};
  std::string points = "400568 400128 50.0\n";
  gridkit::ToolRun run(const std::string& max_sweeps, const std::string& limit) {
    write_int_grid(folder / "IBOUND.ARR", active);
    write_int_grid(folder / "HELD.ARR", held);
    write_fixed_grid(folder / "MATRIX.BSK", matrix);
    write_text(folder / "PTS.XYZ", points);
    return run_in(folder, run_brisket4, brisket4_answers(max_sweeps, limit));
  }
};

TEST(Brisket4, WithNoHeldNodesItIsBrisketStartedFromTheMatrix) {
  Seeded s;
  s.active(30, 40) = 0;
  s.active(31, 40) = -1;
  const gridkit::ToolRun run4 = s.run("40", "0.0");
  ASSERT_EQ(run4.status, 0) << run4.error;
  EXPECT_EQ(completed_line(run4), "ITERATIONS COMPLETED          41");
  // BRISKET starts from 1.0 everywhere: the same as this matrix.
  const gridkit::ToolRun run1 =
      run_in(s.folder, run_brisket, answers({"IBOUND.ARR", "PTS.XYZ", "PLAIN", "40", "0.0"}));
  ASSERT_EQ(run1.status, 0) << run1.error;
  EXPECT_EQ(read_text(s.folder / "SEEDED.BSK"), read_text(s.folder / "PLAIN.BSK"));
  EXPECT_EQ(read_text(s.folder / "SEEDED.GRD"), read_text(s.folder / "PLAIN.GRD"));
}

TEST(Brisket4, HeldNodesKeepTheMatrixValueAndPointsOverrideThem) {
  Seeded s;
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) s.matrix(i, j) = static_cast<float>(i % 10 * 10 + j % 10);
  }
  s.held(100, 100) = -1;  // held on a dead cell: fixed, written with its matrix value
  s.active(100, 100) = 0;
  s.held(120, 120) = -2;  // only -1 holds a node
  s.held(158, 111) = -1;  // held and hit by a point: the point's value
  s.points = "400568 400128 500.0\n";
  s.active(200, 200) = 0;  // dead: written as 0.0
  const gridkit::ToolRun run = s.run("20", "0.0");
  ASSERT_EQ(run.status, 0) << run.error;
  const RealGrid z = read_fixed_grid(s.folder / "SEEDED.BSK");
  EXPECT_EQ(z(100, 100), s.matrix(100, 100));
  EXPECT_NE(z(120, 120), s.matrix(120, 120));  // relaxed like any free node
  EXPECT_EQ(z(158, 111), 500.0f);
  EXPECT_EQ(z(200, 200), 0.0f);
  EXPECT_EQ(z(1, 7), s.matrix(1, 7));  // outermost nodes keep the matrix
  EXPECT_EQ(z(NROW(), NCOL()), s.matrix(NROW(), NCOL()));
  // ZMIN and ZMAX start from the point's 500.0; the dead node brings 0.0.
  EXPECT_EQ(zrange_line(s.folder / "SEEDED.GRD"), "    0.000000E+00      500.000000");
}

TEST(Brisket4, AMissingInputEndsTheRunBeforeAnyOutputIsNamed) {
  Seeded s;
  write_int_grid(s.folder / "IBOUND.ARR", s.active);
  write_int_grid(s.folder / "HELD.ARR", s.held);
  write_fixed_grid(s.folder / "MATRIX.BSK", s.matrix);
  const gridkit::ToolRun run = run_in(s.folder, run_brisket4, brisket4_answers("5", "0.0"));
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.error.find("PTS.XYZ"), std::string::npos) << run.error;
  EXPECT_EQ(run.output.find("SEEDED"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(s.folder / "SEEDED.BSK"));
}

// Points that miss the grid: all of them (latitude and longitude given for
// CRSTM) once gave a flat grid as a result; now an error naming the file,
// with no output. Some of them: one note with their count.
TEST(Family, PointsOutsideTheGridAreCountedAndAFileOfNoneInsideIsRefused) {
  const std::string kLatLong = "-86.5 44.2 700\n-86.4 44.3 710\n";
  const struct {
    const char* why;
    gridkit::ToolFunction run;
    std::string points;
    std::string error;  // "" for a run that succeeds
    std::string note;   // the note on points outside ("" for none)
  } cases[] = {
      {"BRISKET, every point outside", run_brisket, kLatLong,
       "read PTS.XYZ: no point lies inside the model grid (2 points read", ""},
      {"the earlier build too", run_brisket_early, "1.0e30 0 1\n",
       "read PTS.XYZ: no point lies inside the model grid (1 point read", ""},
      {"BRISKET4 too", run_brisket4, kLatLong, "read PTS.XYZ: no point lies inside", ""},
      {"some outside: one note", run_brisket, "400568 400128 50\n" + kLatLong, "",
       "PTS.XYZ: 2 of 3 points lie outside the model grid and were skipped\n"},
      {"all inside: no note", run_brisket4, "400568 400128 50\n", "", ""},
      {"an empty file stays accepted", run_brisket, "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Seeded s;
    s.points = c.points;
    write_int_grid(s.folder / "IBOUND.ARR", s.active);
    write_int_grid(s.folder / "HELD.ARR", s.held);
    write_fixed_grid(s.folder / "MATRIX.BSK", s.matrix);
    write_text(s.folder / "PTS.XYZ", s.points);
    const std::string answers =
        c.run == run_brisket4 ? brisket4_answers("2", "0.0")
                              : kit_test::answers({"IBOUND.ARR", "PTS.XYZ", "SEEDED", "2", "0.0"});
    const gridkit::ToolRun run = run_in(s.folder, c.run, answers);
    if (c.error.empty()) {
      EXPECT_EQ(run.status, 0) << run.error;
      EXPECT_TRUE(s.folder.has("SEEDED.BSK"));
    } else {
      EXPECT_EQ(run.status, 2);
      EXPECT_EQ(run.error.substr(0, c.error.size()), c.error) << run.error;
      EXPECT_FALSE(s.folder.has("SEEDED.BSK"));
    }
    const std::size_t outside_note = run.notes.find("outside the model grid");
    if (c.note.empty()) {
      EXPECT_EQ(outside_note, std::string::npos) << run.notes;
    } else {
      EXPECT_EQ(run.notes.substr(0, c.note.size()), c.note) << run.notes;
      EXPECT_EQ(run.notes.find("outside", outside_note + 1), std::string::npos)
          << "one note: " << run.notes;
    }
  }
}

// Every member writes the same files whichever sweep runs.
TEST(Family, FastAndPlainSweepsWriteTheSameFiles) {
  const ScratchFolder folder;
  std::mt19937 rng(11);
  IntGrid codes(NROW(), NCOL(), 1);
  RealGrid grid(NROW(), NCOL(), 0.0f);
  std::string points;
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      const unsigned r = rng() % 20;
      codes(i, j) = r < 5 ? 0 : (r == 5 ? -1 : 1);
      grid(i, j) = static_cast<float>(rng() % 5000) / 10.0f;
    }
  }
  for (int k = 0; k < 200; ++k) {
    points += std::to_string(290000 + static_cast<int>(rng() % 362000)) + " " +
              std::to_string(87600 + static_cast<int>(rng() % 470000)) + " " +
              std::to_string(static_cast<int>(rng() % 3000) / 10.0) + "\n";
  }
  IntGrid held(NROW(), NCOL(), 0);
  for (int k = 0; k < 300; ++k)
    held(1 + static_cast<int>(rng() % NROW()), 1 + static_cast<int>(rng() % NCOL())) = -1;
  write_int_grid(folder / "IBOUND.ARR", codes);
  write_int_grid(folder / "HELD.ARR", held);
  write_fixed_grid(folder / "GRID.BSK", grid);
  write_fixed_grid(folder / "MATRIX.BSK", grid);
  write_text(folder / "PTS.XYZ", points);

  struct Run {
    Member member;
    std::string input;
  };
  const Run runs[] = {
      {Member::Brisket, answers({"IBOUND.ARR", "PTS.XYZ", "OUT", "30", "0.0"})},
      {Member::BrisketEarly, answers({"IBOUND.ARR", "PTS.XYZ", "OUT", "30", "0.0"})},
      {Member::Brisket2, answers({"IBOUND.ARR", "GRID.BSK", "OUT", "30", "0.0"})},
      {Member::Brisket4,
       answers({"IBOUND.ARR", "HELD.ARR", "MATRIX.BSK", "PTS.XYZ", "OUT", "30", "0.0"})},
  };
  static Member current;
  for (const Run& r : runs) {
    current = r.member;
    const gridkit::ToolRun fast = gridkit::run_tool(
        [](gridkit::Console& con, const std::filesystem::path& f) {
          run_member(con, f, current, Engine::Fast);
        },
        r.input, folder.path());
    ASSERT_EQ(fast.status, 0) << fast.error;
    const std::string bsk = read_text(folder / "OUT.BSK");
    const std::string grd = read_text(folder / "OUT.GRD");
    const gridkit::ToolRun plain = gridkit::run_tool(
        [](gridkit::Console& con, const std::filesystem::path& f) {
          run_member(con, f, current, Engine::Plain);
        },
        r.input, folder.path());
    ASSERT_EQ(plain.status, 0) << plain.error;
    EXPECT_EQ(fast.output, plain.output) << static_cast<int>(r.member);
    EXPECT_EQ(bsk, read_text(folder / "OUT.BSK")) << static_cast<int>(r.member);
    EXPECT_EQ(grd, read_text(folder / "OUT.GRD")) << static_cast<int>(r.member);
  }
}

}  // namespace
}  // namespace brisket
