// Compression speed and size of implode(): the optimal parse against the two
// greedy modes of the same compressor (same match finder), per input: the
// plain greedy encoder (always the longest match) and the cost-aware one
// (the longest match only when it is cheaper than its literals).
//
//   bench-dcl_implode [FILE...]   generated 2 MiB samples, then FILEs
#include <cstdio>
#include <vector>

#include "bench/dcl_bench_common.hpp"
#include "installer/dcl/explode.hpp"
#include "installer/dcl/implode.hpp"

int main(int argc, char** argv) {
  const auto samples = dcl_bench::inputs(argc, argv, 2U << 20);
  std::printf("%-16s %-7s %6s %10s | %10s | %10s %8s | %10s %8s | %8s %8s\n", "input", "literal",
              "window", "bytes", "plain", "greedy", "MB/s", "optimal", "MB/s", "vs plain",
              "vs greedy");
  for (const auto& sample : samples) {
    for (const auto literals : {dcl::LiteralCoding::binary, dcl::LiteralCoding::ascii}) {
      for (const unsigned window : {2048U, 4096U}) {
        const std::vector<std::uint8_t> plain =
            dcl::implode(sample.bytes, {literals, window, dcl::ParseMode::plain_greedy});
        std::vector<std::uint8_t> greedy;
        std::vector<std::uint8_t> optimal;
        const double greedy_s = dcl_bench::best_seconds(3, [&] {
          greedy = dcl::implode(sample.bytes, {literals, window, dcl::ParseMode::greedy});
        });
        const double optimal_s = dcl_bench::best_seconds(3, [&] {
          optimal = dcl::implode(sample.bytes, {literals, window, dcl::ParseMode::optimal});
        });
        if (dcl::explode_bytes(optimal).bytes != sample.bytes ||
            dcl::explode_bytes(plain).bytes != sample.bytes) {
          std::printf("%s: round trip FAILED\n", sample.name.c_str());
          return 1;
        }
        const double mb = static_cast<double>(sample.bytes.size()) / 1e6;
        const auto smaller = [&](const std::vector<std::uint8_t>& baseline) {
          return 100.0 *
                 (1.0 - static_cast<double>(optimal.size()) / static_cast<double>(baseline.size()));
        };
        std::printf("%-16s %-7s %6u %10zu | %10zu | %10zu %8.1f | %10zu %8.1f | %7.2f%% %7.2f%%\n",
                    sample.name.c_str(), literals == dcl::LiteralCoding::ascii ? "ascii" : "binary",
                    window, sample.bytes.size(), plain.size(), greedy.size(), mb / greedy_s,
                    optimal.size(), mb / optimal_s, smaller(plain), smaller(greedy));
      }
    }
  }
  return 0;
}
