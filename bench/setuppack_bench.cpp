// Packing and extracting speed of setup images, in MB (10^6 bytes) of
// installed files per second, over a few MB of mixed files split across
// three disks. The decode-only figure (the same streams decompressed in
// memory) shows how much of extract is the decoder and how much file
// handling.
//
//   bench-setuppack [SIZE_KB]   each of 12 files SIZE_KB kilobytes (default 384)
#include <time.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/dcl_bench_common.hpp"
#include "installer/dcl/explode.hpp"
#include "installer/payload/copy_phase.hpp"
#include "installer/payload/manifest.hpp"
#include "installer/payload/pack.hpp"
#include "installer/payload/posix_platform.hpp"
#include "installer/payload/records.hpp"

namespace fs = std::filesystem;

namespace {

// Wall and processor seconds of one call of `f`, best of `repeats` each;
// `before` runs untimed ahead of every call. On a machine shared with other
// work the processor time is the steadier figure.
struct Timing {
  double wall = 1e30;
  double cpu = 1e30;
};

double cpu_now() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <typename Before, typename F>
Timing best_times(int repeats, Before&& before, F&& f) {
  Timing best;
  for (int i = 0; i < repeats; ++i) {
    before();
    const double cpu_start = cpu_now();
    const double wall = dcl_bench::best_seconds(1, f);
    best.cpu = std::min(best.cpu, cpu_now() - cpu_start);
    best.wall = std::min(best.wall, wall);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t size = (argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 384) * 1024;
  const fs::path dir =
      fs::temp_directory_path() / ("setuppack_bench_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "src");

  // Twelve files: three of each kind, a disk item after every fourth.
  std::string manifest = "folder C:\\BENCH\n";
  std::size_t total = 0;
  int n = 0;
  for (int round = 0; round < 3; ++round) {
    for (const auto& sample : dcl_bench::all_samples(size)) {
      const std::string name = "FILE" + std::to_string(n) + ".DAT";  // sample.name may hold blanks
      std::ofstream(dir / "src" / name, std::ios::binary)
          .write(reinterpret_cast<const char*>(sample.bytes.data()),
                 static_cast<std::streamsize>(sample.bytes.size()));
      manifest += "file . " + name + " src/" + name + "\n";
      total += sample.bytes.size();
      if (++n % 4 == 0 && n < 12) manifest += "disk Disk " + std::to_string(n / 4 + 1) + "\n";
    }
  }
  const std::vector<std::uint8_t> stub(4096, 0x90);
  const payload::Manifest parsed = payload::parse_manifest(manifest, dir, "bench.lst");

  const Timing pack = best_times(
      3, [] {},
      [&] {
        payload::write_image(payload::build_image(stub, "stub", parsed, {}), dir / "SETUP.EXE");
      });

  std::ostringstream progress;
  int failures = 0;
  // Each extract goes into a fresh folder; removing the last one is not timed.
  const Timing extract = best_times(
      5, [&] { fs::remove_all(dir / "inst"); },
      [&] {
        payload::PosixPlatform platform(progress, nullptr);
        const auto loaded = payload::load_install_header(platform, (dir / "SETUP.EXE").string(),
                                                         dir.string() + "/");
        payload::CopySettings settings;
        settings.install_folder = (dir / "inst").string();
        if (loaded.failure || payload::run_record_stream(loaded.payload, settings, platform))
          ++failures;
      });

  // The same streams through the decoder alone, from memory to memory.
  std::vector<std::vector<std::uint8_t>> streams;
  for (const char* file : {"SETUP.EXE", "2.DAT", "3.DAT"}) {
    std::ifstream in(dir / file, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    std::size_t pos = 0;
    if (file == std::string("SETUP.EXE")) {
      const auto loaded = payload::load_install_header_from(bytes, file, "");
      bytes.assign(loaded.payload.bytes.begin(), loaded.payload.bytes.end());
      pos = loaded.payload.stream_start;
    }
    for (;;) {
      const payload::Record r = payload::read_record(bytes, pos);
      if (r.kind != payload::RecordKind::file) break;
      streams.emplace_back(r.data.begin(), r.data.end());
      pos = r.next;
    }
  }
  std::size_t decoded = 0;
  const Timing decode = best_times(
      5, [] {},
      [&] {
        decoded = 0;
        for (const auto& s : streams) decoded += dcl::explode_bytes(s).bytes.size();
      });

  std::uintmax_t packed = 0;
  for (const char* file : {"SETUP.EXE", "2.DAT", "3.DAT"}) packed += fs::file_size(dir / file);
  fs::remove_all(dir);
  if (failures != 0 || streams.size() != 12 || decoded != total) {
    std::printf(
        "setuppack bench FAILED (%d failed extracts, %zu streams, %zu of %zu bytes decoded)\n",
        failures, streams.size(), decoded, total);
    return 1;
  }
  const double mb = static_cast<double>(total) / 1e6;
  std::printf("%zu files, %.2f MB installed, %.2f MB packed over 3 disks\n", streams.size(), mb,
              static_cast<double>(packed) / 1e6);
  const auto line = [&](const char* what, const Timing& t) {
    std::printf("%-8s %8.1f MB/s wall  %8.1f MB/s processor\n", what, mb / t.wall, mb / t.cpu);
  };
  line("pack", pack);
  line("extract", extract);
  line("decode", decode);
  std::printf("decoder alone: %.0f%% of extract's processor time\n",
              100.0 * decode.cpu / extract.cpu);
  return 0;
}
