// kitmodel heads on a head file the size of the sample model's: 4 layers of
// the 361 x 470 grid, single precision in stream form, a third of the cells
// inactive. The whole command runs in-process (the file read, the grid and
// the array written) for the last layer. Prints the best and the median of
// the repeats as wall-clock and processor time. The goal is under 0.1 s.
//
//   bench-kitmodel-heads [repeats]   (default 15)
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gridkit/grid.hpp"
#include "tools/kitmodel/readback_commands.hpp"

namespace {

namespace fs = std::filesystem;

void put(std::ofstream& out, std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); }

// Little-endian host assumed, as MODFLOW on it writes.
void write_sample_sized_file(const fs::path& file) {
  std::ofstream out(file, std::ios::binary);
  for (int layer = 1; layer <= 4; ++layer) {
    put(out, 1);
    put(out, 1);
    put(out, std::bit_cast<std::uint32_t>(1.0f));
    put(out, std::bit_cast<std::uint32_t>(1.0f));
    out.write("            HEAD", 16);
    put(out, gridkit::NCOL());
    put(out, gridkit::NROW());
    put(out, static_cast<std::uint32_t>(layer));
    for (int row = 1; row <= gridkit::NROW(); ++row)
      for (int col = 1; col <= gridkit::NCOL(); ++col) {
        const float head = col % 3 == 0 ? -999.99f : 400.0f + 0.37f * row - 0.11f * col + layer;
        put(out, std::bit_cast<std::uint32_t>(head));
      }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const fs::path folder =
      fs::temp_directory_path() / ("bench-kitmodel-" + std::to_string(getpid()));
  fs::create_directories(folder);
  write_sample_sized_file(folder / "sample.hds");
  const std::vector<std::string> args = {"sample.hds", "--layer", "4", "--out", "SIM4"};
  std::vector<double> wall, cpu;
  for (int k = 0; k < repeats; ++k) {
    std::ostringstream out;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    kitmodel::heads_command(args, out, folder);
    wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    cpu.push_back(static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC);
  }
  fs::remove_all(folder);
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  std::printf(
      "kitmodel heads, 4-layer 361 x 470 file, layer 4: best %.1f ms, median %.1f ms wall; "
      "best %.1f ms, median %.1f ms processor (%d runs)\n",
      wall.front() * 1e3, wall[wall.size() / 2] * 1e3, cpu.front() * 1e3, cpu[cpu.size() / 2] * 1e3,
      repeats);
  return 0;
}
