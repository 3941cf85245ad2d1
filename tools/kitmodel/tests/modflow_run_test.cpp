// Head files written by MODFLOW itself, when it is on the PATH: a model of
// two layers of 3 rows and 4 columns, two constant heads (8 and 2) in layer
// 1 and one inactive cell, run by each version and read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.hpp"
#include "tools/kitmodel/head_file.hpp"

namespace {

std::optional<std::filesystem::path> on_path(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / program;
    std::error_code ec;
    if (!folder.empty() && std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return std::nullopt;
}

struct Model {
  const char* program;
  std::vector<std::pair<const char*, const char*>> files;
  const char* arguments;  // after the program
  const char* head_file;
  kitmodel::HeadForm form;
};

const Model kMf6 = {
    "mf6",
    {{"mfsim.nam",
      "BEGIN options\nEND options\nBEGIN timing\n  TDIS6 t.tdis\nEND timing\n"
      "BEGIN models\n  gwf6 t.nam t\nEND models\nBEGIN exchanges\nEND exchanges\n"
      "BEGIN solutiongroup 1\n  ims6 t.ims t\nEND solutiongroup\n"},
     {"t.tdis",
      "BEGIN dimensions\n  NPER 1\nEND dimensions\nBEGIN perioddata\n  1.0 1 1.0\nEND "
      "perioddata\n"},
     {"t.ims",
      "BEGIN nonlinear\n  OUTER_DVCLOSE 1e-8\n  OUTER_MAXIMUM 50\nEND nonlinear\n"
      "BEGIN linear\n  INNER_MAXIMUM 100\n  INNER_DVCLOSE 1e-10\n  INNER_RCLOSE 1e-8\nEND "
      "linear\n"},
     {"t.nam",
      "BEGIN packages\n  DIS6 t.dis\n  IC6 t.ic\n  NPF6 t.npf\n  CHD6 t.chd\n  OC6 t.oc\nEND "
      "packages\n"},
     {"t.dis",
      "BEGIN dimensions\n  NLAY 2\n  NROW 3\n  NCOL 4\nEND dimensions\nBEGIN griddata\n"
      "  delr\n    CONSTANT 100.0\n  delc\n    CONSTANT 100.0\n  top\n    CONSTANT 10.0\n"
      "  botm LAYERED\n    CONSTANT 0.0\n    CONSTANT -10.0\n"
      "  idomain LAYERED\n    INTERNAL\n      1 1 1 1\n      1 1 1 1\n      1 1 1 0\n    CONSTANT "
      "1\n"
      "END griddata\n"},
     {"t.ic", "BEGIN griddata\n  strt\n    CONSTANT 5.0\nEND griddata\n"},
     {"t.npf",
      "BEGIN griddata\n  icelltype\n    CONSTANT 0\n  k\n    CONSTANT 1.0\nEND griddata\n"},
     {"t.chd",
      "BEGIN dimensions\n  MAXBOUND 2\nEND dimensions\nBEGIN period 1\n  1 1 4 8.0\n  1 3 1 "
      "2.0\nEND period\n"},
     {"t.oc",
      "BEGIN options\n  HEAD FILEOUT t.hds\nEND options\nBEGIN period 1\n  SAVE HEAD LAST\nEND "
      "period\n"}},
    "",
    "t.hds",
    kitmodel::HeadForm::Stream52,
};

const Model kMf2005 = {
    "mf2005",
    {{"t.nam",
      "LIST 2 t.lst\nDIS 11 t.dis\nBAS6 12 t.ba6\nLPF 13 t.lpf\nPCG 15 t.pcg\nOC 16 t.oc\n"
      "DATA(BINARY) 51 t.hds REPLACE\n"},
     {"t.dis",
      "2 3 4 1 4 2\n0 0\nCONSTANT 100.0\nCONSTANT 100.0\nCONSTANT 10.0\nCONSTANT 0.0\nCONSTANT "
      "-10.0\n"
      "1.0 1 1.0 SS\n"},
     {"t.ba6",
      "FREE\nINTERNAL 1 (FREE) 0\n1 1 1 -1\n1 1 1 1\n-1 1 1 0\nCONSTANT 1\n-999.99\n"
      "INTERNAL 1.0 (FREE) 0\n5 5 5 8\n5 5 5 5\n2 5 5 5\nCONSTANT 5.0\n"},
     {"t.lpf",
      "0 -888.0 0\n0 0\n0 0\n1.0 1.0\n0 0\n0 0\nCONSTANT 1.0\nCONSTANT 1.0\nCONSTANT 1.0\nCONSTANT "
      "1.0\n"},
     {"t.pcg", "50 30 1\n1e-6 1e-6 1.0 2 1 0 1.0\n"},
     {"t.oc", "HEAD SAVE UNIT 51\nPERIOD 1 STEP 1\n    SAVE HEAD\n"}},
    " t.nam",
    "t.hds",
    kitmodel::HeadForm::Stream44,
};

TEST(ModflowRun, HeadFilesOfBothVersionsReadBack) {
  int ran = 0;
  for (const Model* model : {&kMf6, &kMf2005}) {
    const auto program = on_path(model->program);
    if (!program) {
      std::cout << "skipped: " << model->program << " is not on the PATH\n";
      continue;
    }
    SCOPED_TRACE(model->program);
    kit_test::ScratchFolder folder;
    for (const auto& [name, text] : model->files) folder.write(name, text);
    const std::string command = "cd '" + folder.path().string() + "' && '" + program->string() +
                                "'" + model->arguments + " >run.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << folder.read("run.log");
    ++ran;
    const kitmodel::HeadLayer layer =
        kitmodel::read_head_layer(folder / model->head_file, model->head_file, {1, {}, {}});
    EXPECT_EQ(layer.form, model->form);
    EXPECT_EQ(layer.records, 2);
    ASSERT_EQ(layer.ncol, 4);
    ASSERT_EQ(layer.nrow, 3);
    EXPECT_EQ(layer.at(1, 4), 8.0);  // the constant heads, exactly
    EXPECT_EQ(layer.at(3, 1), 2.0);
    EXPECT_FALSE(kitmodel::is_head(layer.at(3, 4)));  // inactive
    EXPECT_GT(layer.at(2, 2), 2.0);
    EXPECT_LT(layer.at(2, 2), 8.0);
  }
  if (ran == 0) GTEST_SKIP() << "neither mf6 nor mf2005 is on the PATH";
}

}  // namespace
