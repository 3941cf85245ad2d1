// An independent reader opens what TALLOWIN writes: GDAL's "gdalinfo -mm"
// must see the 361 x 470 grid and the value range the header promises.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

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
  const fs::path dir = fs::temp_directory_path() / "gdal_grid_test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  // Values of magnitude 1 or more only: GDAL 3.6 trips over fields such as
  // "      .0" where one straddles its read buffer. So no cell is inactive
  // (that would write 0.0); the border is constant head and keeps its value.
  {
    std::ofstream values(dir / "HEADS.DAT");
    std::ofstream ibound(dir / "IB.DAT");
    for (int i = 1; i <= 470; ++i) {
      for (int j = 1; j <= 361; ++j) {
        values << 100.0 + i * 0.5 + j * 0.25 << ((j % 10 == 0 || j == 361) ? "\n" : " ");
        const int code = (i == 1 || i == 470 || j == 1 || j == 361) ? -1 : 1;
        char field[8];
        std::snprintf(field, sizeof field, "%3d", code);
        ibound << field << ((j % 25 == 0 || j == 361) ? "\n" : "");
      }
    }
  }
  const std::string tool = std::string(KIT_BIN_DIR) + "/tallowin";
  ASSERT_EQ(std::system(("cd " + dir.string() + " && printf 'HEADS.DAT\\nIB.DAT\\n' | " + tool + " >/dev/null").c_str()), 0);
  const std::string info = run_command("gdalinfo -mm " + (dir / "HEADS.DA.GRD").string() + " 2>&1");
  EXPECT_NE(info.find("Size is 361, 470"), std::string::npos) << info;
  // The header's range, 100.75 (row 1, column 1) to 425.25 (row 470, column
  // 361), and the cells as written with one decimal, exact ties rounded away
  // from zero: 100.8 and 425.3.
  EXPECT_NE(info.find("Min=100.750 Max=425.250"), std::string::npos) << info;
  EXPECT_NE(info.find("Computed Min/Max=100.800,425.300"), std::string::npos) << info;
  EXPECT_EQ(info.find("ERROR"), std::string::npos) << info;
  fs::remove_all(dir);
}

}  // namespace
