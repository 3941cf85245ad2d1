// kitgeo on a whole grid: export of a fixed-layout real array inside an
// IBOUND array to GeoTIFF, and import of that GeoTIFF back into the fixed
// layout, each the whole command run in-process (reading, GDAL, writing).
// Prints the best and the median of the repeats, after one first run that
// also registers GDAL's drivers (shown apart), as wall-clock and as processor
// time. The goal is under 0.2 s each.
//
//   bench-kitgeo [repeats]   (default 15)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "tools/kitgeo/kit_files.hpp"
#include "tools/kitgeo/kitgeo.hpp"

namespace {

namespace fs = std::filesystem;

struct Timing {
  double wall = 0.0;  // seconds on the clock
  double cpu = 0.0;   // seconds of processor time: steadier on a busy machine
};

Timing time_run(const fs::path& folder, const std::vector<std::string>& args) {
  std::ostringstream out;
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpu_start = std::clock();
  kitgeo::run_kitgeo(args, out, folder);
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC};
}

void report(const char* what, Timing first, std::vector<Timing> times) {
  std::vector<double> wall;
  std::vector<double> cpu;
  for (const Timing& t : times) {
    wall.push_back(t.wall);
    cpu.push_back(t.cpu);
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  std::printf("%-42s first %.3f s; wall best %.3f median %.3f; cpu best %.3f median %.3f\n", what,
              first.wall, wall.front(), wall[wall.size() / 2], cpu.front(), cpu[cpu.size() / 2]);
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const fs::path folder = fs::temp_directory_path() / ("bench-kitgeo-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);

  // A smooth surface of a few hundred feet, active inside an oval.
  gridkit::RealGrid surface;
  gridkit::IntGrid ibound;
  for (int i = 1; i <= gridkit::NROW(); ++i) {
    for (int j = 1; j <= gridkit::NCOL(); ++j) {
      surface(i, j) =
          std::round(6000.0f + 2000.0f * std::sin(i * 0.02f) * std::cos(j * 0.03f)) / 10.0f;
      const double u = (j - 181.0) / 170.0;
      const double v = (i - 235.0) / 220.0;
      ibound(i, j) = u * u + v * v < 1.0 ? 1 : 0;
    }
  }
  kitgeo::write_model_array(folder, "SURFACE.DAT", gridkit::ArrayLayout::Fixed, surface);
  kitgeo::write_model_array(folder, "IBOUND.ARR", gridkit::ArrayLayout::Int, ibound);

  const std::vector<std::string> export_args = {"export", "SURFACE.DAT", "SURFACE.tif", "--layout",
                                                "fixed",  "--ibound",    "IBOUND.ARR"};
  const std::vector<std::string> import_args = {"import", "SURFACE.tif", "BACK.DAT", "--layout",
                                                "fixed"};
  const std::vector<std::string> bilinear_args = {"import", "SURFACE.tif",  "BACK.DAT", "--layout",
                                                  "fixed",  "--resampling", "bilinear"};
  const Timing first_export = time_run(folder, export_args);
  const Timing first_import = time_run(folder, import_args);
  const Timing first_bilinear = time_run(folder, bilinear_args);
  std::vector<Timing> exports;
  std::vector<Timing> imports;
  std::vector<Timing> bilinears;
  for (int k = 0; k < repeats; ++k) {
    exports.push_back(time_run(folder, export_args));
    imports.push_back(time_run(folder, import_args));
    bilinears.push_back(time_run(folder, bilinear_args));
  }
  std::printf("kitgeo, whole 361 x 470 grid, %d repeats:\n", repeats);
  report("export fixed array + IBOUND -> GeoTIFF", first_export, exports);
  report("import GeoTIFF -> fixed array (nearest)", first_import, imports);
  report("import GeoTIFF -> fixed array (bilinear)", first_bilinear, bilinears);
  fs::remove_all(folder);
  return 0;
}
