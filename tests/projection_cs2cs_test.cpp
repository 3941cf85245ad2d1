// The CRSTM projection against an independent implementation: PROJ's cs2cs
// with the same transverse Mercator definition. The kit's series is not exact
// (the inverse returns latitudes about 0.0000032 degrees low), so the limits
// are 1 m forward and 0.00002 degrees inverse; a wrong constant, unit or sign
// would be off by far more. PROJ counts longitude east-positive; the kit west.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "gridkit/projection.hpp"
#include "tests/support/scratch_folder.hpp"

namespace {

namespace fs = std::filesystem;

const char* const kCrstm =
    "+proj=tmerc +ellps=clrk66 +lat_0=44 +lon_0=-86 +k=0.9996 +x_0=359987 +y_0=344917 +units=m";
const char* const kGeographic = "+proj=longlat +ellps=clrk66";

struct Pair {
  double a, b;
};

// Runs cs2cs from `from` to `to` on the given coordinate pairs and returns the
// first two numbers of each output line.
std::vector<Pair> cs2cs(const std::string& from, const std::string& to,
                        const std::vector<Pair>& in) {
  const kit_test::ScratchFolder folder;
  const fs::path input = folder / "cs2cs-in";
  {
    std::ofstream file(input);
    file.precision(17);
    for (const Pair& p : in) file << p.a << ' ' << p.b << '\n';
  }
  const std::string command =
      "cs2cs -f %.12f " + from + " +to " + to + " < " + input.string() + " 2>&1";
  std::vector<Pair> out;
  std::string text;
  {
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (pipe) {
      char buffer[256];
      while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) text += buffer;
    }
  }
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    Pair p{};
    if (fields >> p.a >> p.b) out.push_back(p);
  }
  EXPECT_EQ(out.size(), in.size()) << "cs2cs (package proj-bin) gave:\n" << text;
  return out;
}

// Nodes spread over the whole model grid, corners included: 6 x 6 points.
std::vector<Pair> model_area_points() {
  std::vector<Pair> points;
  for (int j = 1; j <= gridkit::NCOL(); j += (gridkit::NCOL() - 1) / 5) {
    for (int i = 1; i <= gridkit::NROW(); i += (gridkit::NROW() - 1) / 5) {
      points.push_back({gridkit::XORIG() + (j - 1) * 1000.0, gridkit::YORIG() - (i - 1) * 1000.0});
    }
  }
  return points;
}

TEST(ProjectionAgainstCs2cs, InverseWithin0_00002Degrees) {
  const std::vector<Pair> grid = model_area_points();
  ASSERT_GE(grid.size(), 36U);
  const std::vector<Pair> proj = cs2cs(kCrstm, kGeographic, grid);
  ASSERT_EQ(proj.size(), grid.size());
  for (std::size_t k = 0; k < grid.size(); ++k) {
    const gridkit::Geodetic g = gridkit::crstm_to_geodetic(grid[k].a, grid[k].b);
    const double proj_lon_east = proj[k].a;
    const double proj_lat = proj[k].b;
    EXPECT_NEAR(g.lat, proj_lat, 0.00002) << "X " << grid[k].a << " Y " << grid[k].b;
    EXPECT_NEAR(g.lon_west, -proj_lon_east, 0.00002) << "X " << grid[k].a << " Y " << grid[k].b;
  }
}

TEST(ProjectionAgainstCs2cs, ForwardWithin1Metre) {
  // Positions over the model area, taken from PROJ's own inverse of the grid
  // nodes, so both sides start from the same latitude and longitude.
  const std::vector<Pair> geographic = cs2cs(kCrstm, kGeographic, model_area_points());
  ASSERT_GE(geographic.size(), 36U);
  const std::vector<Pair> proj = cs2cs(kGeographic, kCrstm, geographic);
  ASSERT_EQ(proj.size(), geographic.size());
  for (std::size_t k = 0; k < geographic.size(); ++k) {
    const double lat = geographic[k].b;
    const double lon_west = -geographic[k].a;
    const gridkit::ForwardResult f = gridkit::geodetic_to_crstm(lat, lon_west);
    EXPECT_NEAR(f.x, proj[k].a, 1.0) << "LAT " << lat << " LON " << lon_west;
    EXPECT_NEAR(f.y, proj[k].b, 1.0) << "LAT " << lat << " LON " << lon_west;
  }
}

}  // namespace
