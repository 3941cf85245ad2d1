// The fast relaxation: the strip layout swept by the widest kernel the
// processor runs, on two threads pipelined over the strips.
//
// Thread i updates strips i, i+2, i+4, ... in every sweep. Strip s may update
// slot t once strip s-1 has finished its slot t+kLanes-1 (the north
// neighbour of its lane 0). That one wait also keeps the order the other way:
// strip s-1 reads the old top row of strip s, and strip s cannot overwrite it
// before strip s-1 has passed. Each strip publishes its progress with a
// release store that the next strip reads with acquire, so every value
// crosses between the threads in order. After a sweep the two threads meet,
// combine their largest changes and take the same stop decision.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <thread>

#include "tools/brisket/relax.hpp"
#include "tools/brisket/strip_grid.hpp"
#include "tools/brisket/sweep_kernels.hpp"

namespace brisket {

namespace {

using Kernel = float (*)(const kernel::Strip&, int, int, float);

Kernel kernel_for(SimdPath path) {
  switch (path) {
    case SimdPath::Avx512: return kernel::sweep_steps_avx512;
    case SimdPath::Avx2: return kernel::sweep_steps_avx2;
    case SimdPath::Portable: break;
  }
  return kernel::sweep_steps_portable;
}

inline void cpu_relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// A counter that only grows, compared by serial-number arithmetic so that it
// may wrap: the two sides are never more than a few sweeps apart.
class Counter {
 public:
  void publish(std::uint32_t value) {
    value_.store(value, std::memory_order_release);
    value_.notify_all();
  }
  // Waits until the counter has reached `target`.
  void wait_for(std::uint32_t target) const {
    constexpr int kSpins = 4000;
    std::uint32_t seen = value_.load(std::memory_order_acquire);
    for (int spins = 0; !reached(seen, target); ++spins) {
      if (spins < kSpins) {
        cpu_relax();
      } else {
        value_.wait(seen, std::memory_order_acquire);  // sleeps while another job has the core
      }
      seen = value_.load(std::memory_order_acquire);
    }
  }

 private:
  static bool reached(std::uint32_t seen, std::uint32_t target) {
    return static_cast<std::int32_t>(seen - target) >= 0;
  }
  alignas(64) std::atomic<std::uint32_t> value_{0};  // a cache line of its own
};

constexpr int kChunk = 16;  // slots updated between two progress reports
// Progress of a strip in sweep n: n * kSweepStride + slots finished.
constexpr std::uint32_t kSweepStride = StripGrid::kSlots + 1;

class Pipeline {
 public:
  Pipeline(StripGrid& grid, Kernel kernel, int threads, RelaxLimits limits, const ProgressFn& progress)
      : grid_(grid), kernel_(kernel), threads_(threads), limits_(limits), report_(progress) {}

  RelaxOutcome run() {
    if (threads_ == 1) {
      work(0);
    } else {
      std::thread helper([this] { work(1); });
      work(0);
      helper.join();
    }
    return outcome_;
  }

 private:
  // Updates strip s in sweep n; returns the larger of `largest` and its changes.
  float sweep_strip(int s, std::uint32_t n, float largest) {
    const std::uint32_t base = n * kSweepStride;
    const int first = grid_.first_active(s);
    const int end = grid_.end_active(s);
    const kernel::Strip strip = grid_.strip(s);
    for (int t = first; t < end;) {
      const int stop = std::min(t + kChunk, end);
      if (s > 0) {
        // Slot stop-1 needs slot stop-1+kLanes-1 of the strip above finished.
        const int needed = std::min(stop + kernel::kLanes - 1, StripGrid::kSlots);
        progress_[static_cast<std::size_t>(s - 1)].wait_for(base + static_cast<std::uint32_t>(needed));
      }
      largest = kernel_(strip, t, stop, largest);
      t = stop;
      progress_[static_cast<std::size_t>(s)].publish(base + static_cast<std::uint32_t>(t));
    }
    // Slots outside the active range hold no free node and need no update.
    progress_[static_cast<std::size_t>(s)].publish(base + StripGrid::kSlots);
    return largest;
  }

  void work(int id) {
    for (std::uint32_t n = 1;; ++n) {
      float largest = 0.0f;
      for (int s = id; s < StripGrid::kStrips; s += threads_) largest = sweep_strip(s, n, largest);
      if (threads_ == 2) {
        // Meet the other thread. Its slot for this sweep is not written again
        // before this thread has read it: that would take two more meetings.
        shares_[n % 2][static_cast<std::size_t>(id)] = largest;
        finished_[id].publish(n);
        finished_[1 - id].wait_for(n);
        const float a = shares_[n % 2][0];
        const float b = shares_[n % 2][1];
        largest = b > a ? b : a;  // both are +0.0 or more and no NaN: exact either way
      }
      ++sweeps_done_[id];
      const long long sweeps = sweeps_done_[id];
      const bool stop = sweeps > limits_.max_sweeps || largest <= limits_.limit;
      if (id == 0) {
        outcome_ = {sweeps, largest};
        if (report_) report_(sweeps, largest);
      }
      if (stop) return;
    }
  }

  StripGrid& grid_;
  Kernel kernel_;
  int threads_;
  RelaxLimits limits_;
  const ProgressFn& report_;
  std::array<Counter, StripGrid::kStrips> progress_;  // slots finished per strip
  std::array<Counter, 2> finished_;
  std::array<std::array<float, 2>, 2> shares_{};
  std::array<long long, 2> sweeps_done_{};
  RelaxOutcome outcome_;
};

}  // namespace

bool simd_path_available(SimdPath path) {
  switch (path) {
    case SimdPath::Portable: return true;
#if defined(__x86_64__) || defined(__i386__)
    case SimdPath::Avx2: return __builtin_cpu_supports("avx2");
    case SimdPath::Avx512:
      return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
             __builtin_cpu_supports("avx512vl");
#else
    default: return false;
#endif
  }
  return false;
}

SimdPath best_simd_path() {
  if (simd_path_available(SimdPath::Avx512)) return SimdPath::Avx512;
  if (simd_path_available(SimdPath::Avx2)) return SimdPath::Avx2;
  return SimdPath::Portable;
}

const char* simd_path_name(SimdPath path) {
  switch (path) {
    case SimdPath::Avx512: return "avx512";
    case SimdPath::Avx2: return "avx2";
    case SimdPath::Portable: break;
  }
  return "portable";
}

RelaxOutcome relax_fast(gridkit::RealGrid& z, const gridkit::IntGrid& codes, SweepCover cover, RelaxLimits limits,
                        const FastOptions& options) {
  const SimdPath path = simd_path_available(options.path) ? options.path : SimdPath::Portable;
  int threads = options.threads;
  if (threads <= 0) threads = std::thread::hardware_concurrency() >= 2 ? 2 : 1;
  threads = std::clamp(threads, 1, 2);

  StripGrid grid(codes, cover);
  grid.load(z);
  Pipeline pipeline(grid, kernel_for(path), threads, limits, options.progress);
  const RelaxOutcome outcome = pipeline.run();
  grid.store(z);
  return outcome;
}

}  // namespace brisket
