// kitmodel write and check as a modeller runs them, on arrays in every
// layout of the kit: what MODFLOW 6 is given holds exactly the kit's floats,
// MODFLOW-2005 finds the kit's files where they lie, a failed check writes
// nothing, and the description's mistakes are named with their line.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "gridkit/arrays.hpp"
#include "gridkit/error.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/scratch_folder.hpp"
#include "tools/kitmodel/kitmodel.hpp"
#include "tools/kitmodel/model_file.hpp"
#include "tools/kitmodel/model_inputs.hpp"

namespace {

namespace fs = std::filesystem;
using gridkit::RealGrid;

struct KitRun {
  int status;
  std::string out;
  std::string err;
};

KitRun kitmodel_run(const std::vector<std::string>& args, const fs::path& folder) {
  std::ostringstream out, err;
  const int status = kitmodel::run_kitmodel(args, folder, out, err);
  return {status, out.str(), err.str()};
}

// Floats with long decimal forms, so that a rounding on the way would show.
float awkward(int r, int c, float scale) {
  return scale * (1.0f + static_cast<float>(r * 7 + c * 13 % 97) / 3.0f);
}

const char* const kDescription =
    "name = \"t\"\n"
    "ibound = { file = \"IB.BOL\", format = \"(25I3)\" }\n"
    "top = { file = \"TOP.MOD\", format = \"(10F8.1)\" }\n"
    "start = { file = \"START.TXT\", format = \"(FREE)\" }\n"
    "[[layer]]\n"
    "bottom = { file = \"BOT1.MOD\", format = \"(10F8.1)\" }\n"
    "kh = { file = \"K1.KH\", format = \"(8E10.5)\" }\n"
    "kv = 0.25\n"
    "[[layer]]\n"
    "bottom = { file = \"BOT2.MOD\", format = \"(10F8.1)\" }\n"
    "kh = { file = \"K2.TXT\", format = \"(FREE)\" }\n"
    "kv = { file = \"K2.KV\", format = \"(8E10.5)\" }\n"
    "[river]\npackage = \"RIV.RIV\"\n"
    "[recharge]\narray = { file = \"RCH.TXT\", format = \"(FREE)\" }\n";

// A two-layer model over rows 2-5, columns 2-6, with one constant head and
// two reaches, in the kit's layouts.
void write_small_model(const kit_test::ScratchFolder& dir) {
  kit_test::write_int_grid(
      dir / "IB.BOL", kit_test::make_int_grid([](int r, int c) {
        return r >= 2 && r <= 5 && c >= 2 && c <= 6 ? (r == 3 && c == 2 ? -1 : 1) : 0;
      }));
  kit_test::write_fixed_grid(
      dir / "TOP.MOD", kit_test::make_grid(gridkit::NROW(), gridkit::NCOL(), [](int r, int c) {
        return 100.0f + 0.1f * static_cast<float>(r + c);
      }));
  kit_test::write_fixed_grid(dir / "BOT1.MOD", RealGrid(gridkit::NROW(), gridkit::NCOL(), 60.3f));
  kit_test::write_fixed_grid(dir / "BOT2.MOD", RealGrid(gridkit::NROW(), gridkit::NCOL(), 20.7f));
  kit_test::write_free_grid(dir / "START.TXT",
                            kit_test::make_grid(gridkit::NROW(), gridkit::NCOL(), [](int r, int c) {
                              return 90.0f + awkward(r, c, 0.001f);
                            }));
  kit_test::write_exp_grid(dir / "K1.KH",
                           kit_test::make_grid(gridkit::NROW(), gridkit::NCOL(),
                                               [](int r, int c) { return awkward(r, c, 3.1f); }));
  kit_test::write_free_grid(dir / "K2.TXT",
                            kit_test::make_grid(gridkit::NROW(), gridkit::NCOL(),
                                                [](int r, int c) { return awkward(r, c, 0.7f); }));
  kit_test::write_exp_grid(dir / "K2.KV", RealGrid(gridkit::NROW(), gridkit::NCOL(), 0.0123f));
  kit_test::write_free_grid(dir / "RCH.TXT",
                            kit_test::make_grid(gridkit::NROW(), gridkit::NCOL(),
                                                [](int r, int c) { return awkward(r, c, 1e-5f); }));
  dir.write("RIV.RIV",
            "         2         0\n         2\n"
            "         1         4         4     95.25  12.34567      93.1         0      0\n"
            "         1         4         5      95.1    3.2808      92.9         0      0\n");
  dir.write("MODEL.toml", kDescription);
}

// Every value of a free-format copy, read as floats, equals the kit's.
void expect_same_floats(const fs::path& copy, const RealGrid& kit) {
  gridkit::InFile in = gridkit::InFile::open_existing(copy, copy.string());
  const RealGrid read = gridkit::read_free_grid(in);
  EXPECT_EQ(
      std::memcmp(read.values().data(), kit.values().data(), kit.values().size() * sizeof(float)),
      0)
      << copy;
  EXPECT_FALSE(in.next_line().has_value()) << copy << " holds more than one array";
}

TEST(ModelWrite, ArraysReadBackAsTheKitsFloats) {
  const kit_test::ScratchFolder dir;
  write_small_model(dir);
  const KitRun run = kitmodel_run({"write", "MODEL.toml"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.out << run.err;

  const kitmodel::ModelInputs kit =
      kitmodel::read_model_inputs(kitmodel::read_model_file(dir / "MODEL.toml"));
  const fs::path arrays = dir / "mf6" / "arrays";
  expect_same_floats(arrays / "top.txt", kit.top);
  expect_same_floats(arrays / "strt.txt", kit.start);
  expect_same_floats(arrays / "botm1.txt", kit.bottoms[0]);
  expect_same_floats(arrays / "botm2.txt", kit.bottoms[1]);
  expect_same_floats(arrays / "k1.txt", kit.kh[0]);
  expect_same_floats(arrays / "k2.txt", kit.kh[1]);
  expect_same_floats(arrays / "k33_2.txt", kit.kv[1]);
  expect_same_floats(arrays / "recharge.txt", *kit.recharge);
  EXPECT_FALSE(fs::exists(arrays / "k33_1.txt")) << "a constant stays a CONSTANT record";
  EXPECT_NE(dir.read("mf6/t.npf").find("CONSTANT 0.25"), std::string::npos);

  // IDOMAIN: the constant head is active (held by CHD at its start).
  gridkit::InFile idomain = gridkit::InFile::open_existing(arrays / "idomain1.txt", "idomain1");
  std::vector<long long> row(gridkit::NCOL());
  for (int r = 1; r <= 3; ++r) gridkit::read_free(idomain, row);
  EXPECT_EQ(row[0], 0);
  EXPECT_EQ(row[1], 1);
  EXPECT_NE(dir.read("mf6/t.chd").find("  1 3 2 90."), std::string::npos) << dir.read("mf6/t.chd");

  // The reaches, and the constant heads, carry the kit's floats in full.
  const std::string riv = dir.read("mf6/t.riv");
  EXPECT_NE(riv.find("  1 4 4 95.25 12.34567 93.1\n"), std::string::npos) << riv;
  EXPECT_NE(dir.read("mf2005/t.riv").find("\n1 4 5 95.1 3.2808 92.9\n"), std::string::npos);
  const std::string dis = dir.read("mf6/t.dis");
  EXPECT_NE(dis.find("XORIGIN 951666.6666666666"), std::string::npos) << dis;
  EXPECT_NE(dis.find("+proj=tmerc"), std::string::npos);

  // MODFLOW-2005 reads the kit's own files, from its folder, in their layouts.
  for (const char* package : {"t.dis", "t.ba6", "t.lpf", "t.rch"}) {
    for (const std::string& line : dir.lines(std::string("mf2005/") + package)) {
      if (line.rfind("OPEN/CLOSE ", 0) != 0) continue;
      std::istringstream words(line.substr(11));
      std::string file, factor, format;
      words >> file >> factor >> format;
      EXPECT_TRUE(fs::exists(dir / "mf2005" / file)) << line;
      const std::string ext = fs::path(file).extension().string();
      const std::string expected = ext == ".BOL"   ? "(25I3)"
                                   : ext == ".MOD" ? "(10F8.1)"
                                   : ext == ".TXT" ? "(FREE)"
                                                   : "(8E10.5)";
      EXPECT_EQ(format, expected) << line;
    }
  }
}

// A cell of no thickness passes flow in both versions: IDOMAIN -1 for
// MODFLOW 6; for MODFLOW-2005, which would make it a no-flow cell, a copy of
// the bottoms in which it is 0.01 thick.
TEST(ModelWrite, PinchedCellsPassFlowInBothVersions) {
  const kit_test::ScratchFolder dir;
  write_small_model(dir);
  RealGrid bottom1(gridkit::NROW(), gridkit::NCOL(), 60.3f);
  bottom1(4, 3) = 100.0f + 0.1f * 7.0f;  // the top there: layer 1 pinched out
  kit_test::write_fixed_grid(dir / "BOT1.MOD", bottom1);
  const KitRun run = kitmodel_run({"write", "MODEL.toml"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.out << run.err;

  gridkit::InFile idomain =
      gridkit::InFile::open_existing(dir / "mf6" / "arrays" / "idomain1.txt", "idomain1");
  std::vector<long long> row(gridkit::NCOL());
  for (int r = 1; r <= 4; ++r) gridkit::read_free(idomain, row);
  EXPECT_EQ(row[2], -1);
  EXPECT_EQ(row[3], 1);

  EXPECT_NE(dir.read("mf2005/t.dis").find("OPEN/CLOSE arrays/botm1.txt 1.0 (FREE) -1"),
            std::string::npos);
  EXPECT_NE(dir.read("mf2005/t.dis").find("OPEN/CLOSE ../BOT2.MOD 1.0 (10F8.1) -1"),
            std::string::npos);
  gridkit::InFile copy =
      gridkit::InFile::open_existing(dir / "mf2005" / "arrays" / "botm1.txt", "botm1");
  const RealGrid bottoms = gridkit::read_free_grid(copy);
  EXPECT_EQ(bottoms(4, 3), bottom1(4, 3) - 0.01f);
  EXPECT_EQ(bottoms(4, 4), 60.3f);
}

// On a grid of the modeller's own (GRID.toml beside the description) both
// versions get its rows, columns and cell size, and MODFLOW 6 the CRSTM
// position of its lower-left corner: half a cell west of column 1's nodes and
// half a cell south of the last row's.
TEST(ModelWrite, DisSizesAndOriginComeFromTheGrid) {
  struct Case {
    const char* why;
    const char* grid_file;
    const char* mf6_lines;     // in the MODFLOW 6 DIS file, in this order
    const char* mf2005_lines;  // in the MODFLOW-2005 one
  };
  const Case cases[] = {
      {"the quarry sample's grid",
       "columns = 97\nrows = 53\ncell_size = 250.0\nfirst_node = [402125.0, 318375.0]\n",
       "XORIGIN 402000\n  YORIGIN 305250\n  ANGROT 0.0\nEND OPTIONS\n\nBEGIN DIMENSIONS\n  NLAY "
       "1\n  NROW 53\n"
       "  NCOL 97\nEND DIMENSIONS\n\nBEGIN GRIDDATA\n  DELR\n    CONSTANT 250\n  DELC\n    "
       "CONSTANT 250\n",
       "1 53 97 1 4 2\n0\nCONSTANT 250  DELR\nCONSTANT 250  DELC\n"},
      {"one row", "columns = 40\nrows = 1\ncell_size = 30\nfirst_node = [500015, 200015]\n",
       "XORIGIN 500000\n  YORIGIN 200000\n", "1 1 40 1 4 2\n0\nCONSTANT 30  DELR\n"},
      {"one column",
       "columns = 1\nrows = 25\ncell_size = 12.5\nfirst_node = [310006.25, 420006.25]\n",
       "XORIGIN 310000\n  YORIGIN 419700\n", "1 25 1 1 4 2\n0\nCONSTANT 12.5  DELR\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const kit_test::ScratchFolder dir;
    dir.write("GRID.toml", c.grid_file);
    dir.write("MODEL.toml",
              "name = \"g\"\nlength_units = \"meters\"\nibound = 1\ntop = 10\nstart = 5\n"
              "[[layer]]\nbottom = 0\nkh = 1\nkv = 0.1\n");
    const KitRun run = kitmodel_run({"write", "MODEL.toml"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(dir.read("mf6/g.dis").find(c.mf6_lines), std::string::npos) << dir.read("mf6/g.dis");
    EXPECT_NE(dir.read("mf2005/g.dis").find(c.mf2005_lines), std::string::npos)
        << dir.read("mf2005/g.dis");
  }
}

struct DescriptionCase {
  const char* why;
  const char* text;
  const char* message;  // part of the error expected
};

const DescriptionCase kDescriptionCases[] = {
    {"an unknown key is named with its line", "name = \"t\"\ncolour = 3\n",
     "read MODEL.toml line 2: unknown key \"colour\""},
    {"an unknown key in a layer", "name = \"t\"\n[[layer]]\nbottom = 1\nkh = 1\nkv = 1\nkz = 1\n",
     "line 6: unknown key \"layer 1 kz\""},
    {"a layout the kit does not write",
     "name = \"t\"\ntop = { file = \"T\", format = \"(10F8.2)\" }\n",
     "line 2: \"top.format\" is (10F8.2); the kit's layouts are"},
    {"rate and array at once", "name = \"t\"\n[recharge]\nrate = 1\narray = 2\n",
     "line 2: [recharge] takes rate or array, not both"},
    {"units the model cannot have", "name = \"t\"\nlength_units = \"inches\"\n",
     "it must be feet or meters"},
    {"TOML that does not parse", "name = \"t\"\ntop = {\n", "read MODEL.toml line 2:"},
    {"no starting heads",
     "name = \"t\"\nibound = 1\ntop = 1\n[[layer]]\nbottom = 0\nkh = 1\nkv = 1\n",
     "the model needs start"},
};

TEST(ModelWrite, DescriptionMistakesAreNamedWithTheirLine) {
  for (const DescriptionCase& c : kDescriptionCases) {
    const kit_test::ScratchFolder dir;
    dir.write("MODEL.toml", c.text);
    const KitRun run = kitmodel_run({"check", "MODEL.toml"}, dir.path());
    EXPECT_EQ(run.status, 2) << c.why;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.why << ": " << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.why << ": one line";
  }
}

TEST(ModelWrite, AFailedCheckWritesNothingAndAnUnreadableInputIsStatus2) {
  const kit_test::ScratchFolder dir;
  write_small_model(dir);
  dir.write("RIV.RIV",
            "         1         0\n         1\n"
            "         1         9         9      95.0      12.0      93.0         0      0\n");
  KitRun run = kitmodel_run({"write", "MODEL.toml", "--out", "model"}, dir.path());
  EXPECT_EQ(run.status, kitmodel::kFindingsStatus);
  EXPECT_NE(run.out.find("error: river reach in an inactive cell: layer 1, row 9, column 9"),
            std::string::npos)
      << run.out;
  EXPECT_FALSE(fs::exists(dir / "model"));
  EXPECT_EQ(kitmodel_run({"check", "MODEL.toml"}, dir.path()).status, kitmodel::kFindingsStatus);

  fs::remove(dir / "K2.KV");
  run = kitmodel_run({"check", "MODEL.toml"}, dir.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("K2.KV"), std::string::npos) << run.err;

  write_small_model(dir);
  run = kitmodel_run({"write", "MODEL.toml", "--out", "RIV.RIV"},
                     dir.path());  // a file, not a folder
  EXPECT_EQ(run.status, 2) << run.out;
  EXPECT_NE(run.err.find("RIV.RIV"), std::string::npos) << run.err;
}

}  // namespace
