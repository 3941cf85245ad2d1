#include "gridkit/grid_file.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#include "gridkit/error.hpp"
#include "gridkit/tool_main.hpp"
#include "tests/support/scratch_folder.hpp"

namespace gridkit {
namespace {

const char* const kGoodGrid =
    "columns = 97\nrows = 53\ncell_size = 250.0\nfirst_node = [402125.0, 318375]\n";

TEST(GridFile, ReadsTheFourKeys) {
  const ModelGrid g = parse_grid_file(kGoodGrid, "GRID.toml");
  EXPECT_EQ(g, (ModelGrid{97, 53, 250.0f, 402125.0f, 318375.0f}));
}

TEST(GridFile, RefusesWhatIsNotAGrid) {
  const std::string sizes = "cell_size = 250.0\nfirst_node = [1.0, 2.0]\n";
  struct Case {
    std::string text;
    std::string message;  // the end of the error
    const char* why;
  } cases[] = {
      {"columns = 0\nrows = 1\n" + sizes,
       "line 1: \"columns\" must be a whole number from 1 to 20000", "no column at all"},
      {"columns = 5\nrows = 20001\n" + sizes,
       "line 2: \"rows\" must be a whole number from 1 to 20000", "past the largest grid"},
      {"columns = 5.5\nrows = 2\n" + sizes,
       "line 1: \"columns\" must be a whole number from 1 to 20000", "a count is whole"},
      {"columns = 5\nrows = 2\ncell_size = 0\nfirst_node = [1.0, 2.0]\n",
       "line 3: \"cell_size\" must be above 0", "cells need a size"},
      {"columns = 5\nrows = 2\ncell_size = -250\nfirst_node = [1.0, 2.0]\n",
       "line 3: \"cell_size\" must be above 0", "negative size"},
      {"columns = 5\nrows = 2\ncell_size = nan\nfirst_node = [1.0, 2.0]\n",
       "line 3: \"cell_size\" must be a finite number", "not a number"},
      {"columns = 5\nrows = 2\ncell_size = 250.0\nfirst_node = [1.0]\n",
       "line 4: \"first_node\" must be [X, Y] of the node of column 1, row 1", "one coordinate"},
      {"columns = 5\nrows = 2\ncell_size = 250.0\nfirst_node = [1.0, 1e39]\n",
       "line 4: \"first_node\" must be a finite number", "beyond single precision"},
      {"columns = 5\nrows = 2\n" + sizes + "delr = 3\n", "line 5: unknown key \"delr\"",
       "a key the grid does not have"},
      {"columns = 5\n" + sizes, "the key \"rows\" is missing", "every key is needed"},
      {"columns = = 5\n", "read GRID.toml line 1:", "not TOML"},
  };
  for (const Case& c : cases) {
    try {
      parse_grid_file(c.text, "GRID.toml");
      ADD_FAILURE() << c.why << ": accepted";
    } catch (const KitError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find(c.message), std::string::npos) << c.why << ": " << what;
    }
  }
}

// A run takes KIT_GRID before the folder's GRID.toml, and that before the
// built-in grid; it notes any grid but the built-in one.
TEST(GridFile, RunsFindTheirGrid) {
  const kit_test::ScratchFolder dir;
  const auto columns = [](Console&, const std::filesystem::path&) {
    throw KitError(std::to_string(NCOL()) + " x " + std::to_string(NROW()));
  };
  ::unsetenv("KIT_GRID");
  EXPECT_EQ(run_tool(columns, "", dir.path()).error, "361 x 470");
  dir.write("GRID.toml", kGoodGrid);
  dir.write("OTHER.toml", "columns = 1\nrows = 7\ncell_size = 1\nfirst_node = [0, 0]\n");
  ToolRun run = run_tool(columns, "", dir.path());
  EXPECT_EQ(run.error, "97 x 53");
  EXPECT_EQ(run.notes, "model grid of GRID.toml: 97 columns x 53 rows of 250\n");
  ::setenv("KIT_GRID", (dir.path() / "OTHER.toml").c_str(), 1);
  EXPECT_EQ(run_tool(columns, "", dir.path()).error, "1 x 7");
  ::unsetenv("KIT_GRID");
  EXPECT_EQ(NCOL(), 361) << "a run's grid ends with the run";
}

}  // namespace
}  // namespace gridkit
