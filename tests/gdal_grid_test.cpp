// An independent reader opens what TALLOWIN writes: GDAL's "gdalinfo -mm"
// must see the 361 x 470 grid and the value range the header promises.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/grid_files.hpp"
#include "tests/support/scratch_folder.hpp"

namespace {

std::string run_command(const std::string& command) {
  std::string output;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return output;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) output += buffer;
  return output;
}

TEST(GdalReadsTallowinGrid, SizeAndRangeMatch) {
  if (std::system("command -v gdalinfo >/dev/null 2>&1") != 0) {
    GTEST_FAIL() << "gdalinfo is missing: the test command installs gdal-bin";
  }
  const kit_test::ScratchFolder dir;
  // Values of magnitude 1 or more only: GDAL 3.6 trips over fields such as
  // "      .0" where one straddles its read buffer. So no cell is inactive
  // (that would write 0.0); the border is constant head and keeps its value.
  kit_test::write_free_grid(dir / "HEADS.DAT",
                            kit_test::make_grid(470, 361,
                                                [](int i, int j) {
                                                  return 100.0f + static_cast<float>(i) * 0.5f +
                                                         static_cast<float>(j) * 0.25f;
                                                }),
                            10);
  kit_test::write_int_grid(dir / "IB.DAT", kit_test::make_int_grid([](int i, int j) {
                             return (i == 1 || i == 470 || j == 1 || j == 361) ? -1 : 1;
                           }));
  const std::string tool = std::string(KIT_BIN_DIR) + "/tallowin";
  ASSERT_EQ(std::system(("cd " + dir.path().string() + " && printf 'HEADS.DAT\\nIB.DAT\\n' | " +
                         tool + " >/dev/null")
                            .c_str()),
            0);
  const std::string info = run_command("gdalinfo -mm " + (dir / "HEADS.DA.GRD").string() + " 2>&1");
  EXPECT_NE(info.find("Size is 361, 470"), std::string::npos) << info;
  // The header's range, 100.75 (row 1, column 1) to 425.25 (row 470, column
  // 361), and the cells as written with one decimal, exact ties rounded away
  // from zero: 100.8 and 425.3.
  EXPECT_NE(info.find("Min=100.750 Max=425.250"), std::string::npos) << info;
  EXPECT_NE(info.find("Computed Min/Max=100.800,425.300"), std::string::npos) << info;
  EXPECT_EQ(info.find("ERROR"), std::string::npos) << info;
}

}  // namespace
