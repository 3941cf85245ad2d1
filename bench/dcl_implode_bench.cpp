// Compression speed and size of implode(): the optimal parse against the
// greedy mode of the same compressor (same match finder), per input.
//
//   bench-dcl_implode [FILE...]   generated 2 MiB samples, then FILEs
#include <cstdio>
#include <vector>

#include "dcl_bench_common.hpp"
#include "explode.hpp"
#include "implode.hpp"

int main(int argc, char** argv) {
  const auto samples = dcl_bench::inputs(argc, argv, 2U << 20);
  std::printf("%-16s %-7s %6s %10s | %10s %8s | %10s %8s | %8s\n", "input", "literal", "window",
              "bytes", "greedy", "MB/s", "optimal", "MB/s", "smaller");
  for (const auto& sample : samples) {
    for (const auto literals : {dcl::LiteralCoding::binary, dcl::LiteralCoding::ascii}) {
      for (const unsigned window : {2048U, 4096U}) {
        std::vector<std::uint8_t> greedy;
        std::vector<std::uint8_t> optimal;
        const double greedy_s = dcl_bench::best_seconds(3, [&] {
          greedy = dcl::implode(sample.bytes, {literals, window, dcl::ParseMode::greedy});
        });
        const double optimal_s = dcl_bench::best_seconds(3, [&] {
          optimal = dcl::implode(sample.bytes, {literals, window, dcl::ParseMode::optimal});
        });
        if (dcl::explode_bytes(optimal).bytes != sample.bytes) {
          std::printf("%s: round trip FAILED\n", sample.name.c_str());
          return 1;
        }
        const double mb = static_cast<double>(sample.bytes.size()) / 1e6;
        std::printf("%-16s %-7s %6u %10zu | %10zu %8.1f | %10zu %8.1f | %7.2f%%\n",
                    sample.name.c_str(), literals == dcl::LiteralCoding::ascii ? "ascii" : "binary",
                    window, sample.bytes.size(), greedy.size(), mb / greedy_s, optimal.size(),
                    mb / optimal_s,
                    100.0 * (1.0 - static_cast<double>(optimal.size()) /
                                       static_cast<double>(greedy.size())));
      }
    }
  }
  return 0;
}
