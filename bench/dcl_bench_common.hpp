// Timing and input helpers shared by the implode codec benchmarks.
#pragma once

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/dcl_sample_data.hpp"

namespace dcl_bench {

// Seconds taken by one call of `f`, best of `repeats`.
template <typename F>
double best_seconds(int repeats, F&& f) {
  double best = 1e30;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    f();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return best;
}

// The generated samples, plus any files named on the command line.
inline std::vector<SampleData> inputs(int argc, char** argv, std::size_t size) {
  std::vector<SampleData> samples = all_samples(size);
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    samples.push_back(
        {argv[i], {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
  }
  return samples;
}

}  // namespace dcl_bench
