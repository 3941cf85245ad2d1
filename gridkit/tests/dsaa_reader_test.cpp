// Reading Surfer text grids: what the kit writes comes back unchanged, and
// anything that is not a grid of the model is refused naming the file.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gridkit/dsaa.hpp"
#include "gridkit/dsaa_reader.hpp"
#include "gridkit/error.hpp"
#include "gridkit/textfile.hpp"
#include "tests/support/scratch_folder.hpp"

namespace gridkit {
namespace {

TEST(DsaaReader, ReadsWhatTheKitWritesNorthRowFirst) {
  const kit_test::ScratchFolder dir;
  RealGrid z;
  for (int i = 1; i <= NROW(); ++i)
    for (int j = 1; j <= NCOL(); ++j) z(i, j) = float(i) + 0.5f * float(j % 3) - 1.0f;
  {
    OutFile out(dir / "T.GRD", "T.GRD");
    write_dsaa(out, z, -1.0f, 471.0f);
  }
  InFile in = InFile::open_existing(dir / "T.GRD", "T.GRD");
  EXPECT_EQ(read_dsaa_model_grid(in).values(), z.values());  // .5 fields included
}

TEST(DsaaReader, RefusesWhatIsNotAGridOfTheModel) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"GRID\n", "no DSAA"},
      {"DSAA\n1 5\n", "size out of range"},
      {"DSAA\n5000000 5000000\n", "size out of range"},
      {"DSAA\n2 2\n0 1\n0 1\n0 1\n1 2\n3 x\n", "expected a number"},
      {"DSAA\n2 2\n0 1\n0 1\n0 1\n1 2\n", "end of file"},
      {"DSAA\n2 2\n0 1\n0 1\n0 1\n1 2\n3 4\n", "not a grid of the model"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    InFile in = InFile::from_text("G.GRD", text);
    try {
      read_dsaa_model_grid(in);
      ADD_FAILURE() << "accepted";
    } catch (const KitError& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("G.GRD"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace gridkit
