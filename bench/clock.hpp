// Wall-clock time for the benchmarks' figures.
#pragma once

#include <chrono>

namespace bench {

// Seconds from `start` to now.
inline double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace bench
