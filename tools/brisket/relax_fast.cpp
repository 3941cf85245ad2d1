// The fast relaxation: the strip layout swept by the widest kernel the
// processor runs, on two threads pipelined over the strips.
//
// With two threads, thread i updates strips i, i+2, i+4, ... of a sweep. Strip s may update
// slot t once strip s-1 has finished its slot t+kLanes-1 (the north
// neighbour of its lane 0). That one wait also keeps the order the other way:
// strip s-1 reads the old top row of strip s, and strip s cannot overwrite it
// before strip s-1 has passed. Each strip publishes its progress with a
// release store that the next strip reads with acquire, so every value
// crosses between the threads in order. The calling thread takes the stop
// decision after each sweep and tells the helper which sweeps to join; how
// many threads a sweep uses is measured as the run goes (thread_choice.hpp).
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "tools/brisket/relax.hpp"
#include "tools/brisket/strip_grid.hpp"
#include "tools/brisket/sweep_kernels.hpp"
#include "tools/brisket/thread_choice.hpp"

namespace brisket {

namespace {

using Kernel = float (*)(const kernel::Strip&, int, int, float);

Kernel kernel_for(SimdPath path) {
#if BRISKET_X86_KERNELS
  switch (path) {
    case SimdPath::Avx512: return kernel::sweep_steps_avx512;
    case SimdPath::Avx2: return kernel::sweep_steps_avx2;
    case SimdPath::Portable: break;
  }
#else
  (void)path;
#endif
  return kernel::sweep_steps_portable;
}

inline void cpu_relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// A counter that only grows, compared by serial-number arithmetic so that it
// may wrap: the two sides are never more than a few sweeps apart. A waiter
// spins briefly, then sleeps; the publisher wakes it only when one sleeps, as
// a wake-up is a system call and progress is published thousands of times a
// sweep. (The standard library's own check for sleepers is shared between
// many addresses and would call the system almost every time.)
class Counter {
 public:
  void publish(std::uint32_t value) {
    // Sequentially consistent with the waiter's count of sleepers below:
    // either the waiter sees the new value, or this sees the sleeper.
    value_.store(value, std::memory_order_seq_cst);
    if (sleepers_.load(std::memory_order_seq_cst) != 0) value_.notify_all();
  }

  // Waits until the counter has reached `target`; returns the value seen.
  std::uint32_t wait_for(std::uint32_t target) {
    constexpr int kSpins = 2000;
    std::uint32_t seen = value_.load(std::memory_order_acquire);
    for (int spins = 0; !reached(seen, target); ++spins) {
      if (spins < kSpins) {
        cpu_relax();
      } else {
        // The other thread may have lost its core to another job: sleep.
        sleepers_.fetch_add(1, std::memory_order_seq_cst);
        seen = value_.load(std::memory_order_seq_cst);
        if (!reached(seen, target)) value_.wait(seen, std::memory_order_acquire);
        sleepers_.fetch_sub(1, std::memory_order_release);
      }
      seen = value_.load(std::memory_order_acquire);
    }
    return seen;
  }

  static bool reached(std::uint32_t seen, std::uint32_t target) {
    return static_cast<std::int32_t>(seen - target) >= 0;
  }
  alignas(64) std::atomic<std::uint32_t> value_{0};  // a cache line of its own
  std::atomic<std::uint32_t> sleepers_{0};
};

// Slots updated between two progress reports: enough work (about a
// thousand nodes) to pay for the transfer of a cache line between the cores.
constexpr int kChunk = 32;
// Progress of a strip in sweep n: n * kSweepStride + slots finished.
constexpr std::uint32_t kSweepStride = StripGrid::kSlots + 1;

class Pipeline {
 public:
  Pipeline(StripGrid& grid, Kernel kernel, ThreadUse use, RelaxLimits limits, const ProgressFn& report)
      : grid_(grid), kernel_(kernel), use_(use), limits_(limits), report_(report) {}

  RelaxOutcome run() {
    const bool two_possible =
        use_ == ThreadUse::Two || use_ == ThreadUse::Alternate ||
        (use_ == ThreadUse::Automatic && std::thread::hardware_concurrency() >= 2);
    if (!two_possible) return control(nullptr);
    std::thread helper([this] { help(); });
    const RelaxOutcome outcome = control(&helper);
    return outcome;
  }

 private:
  // Updates strip s in sweep n; returns the larger of `largest` and its changes.
  float sweep_strip(int s, std::uint32_t n, float largest) {
    const std::uint32_t base = n * kSweepStride;
    const int first = grid_.first_active(s);
    const int end = grid_.end_active(s);
    const kernel::Strip strip = grid_.strip(s);
    // The progress of the strip above as last seen: read again only when this
    // strip needs more, as every read of it is a transfer between the cores.
    std::uint32_t above = base;
    for (int t = first; t < end;) {
      const int stop = std::min(t + kChunk, end);
      if (s > 0) {
        // Slot stop-1 needs slot stop-1+kLanes-1 of the strip above finished.
        const std::uint32_t needed =
            base + static_cast<std::uint32_t>(std::min(stop + kernel::kLanes - 1, StripGrid::kSlots));
        if (!Counter::reached(above, needed)) above = progress_[static_cast<std::size_t>(s - 1)].wait_for(needed);
      }
      largest = kernel_(strip, t, stop, largest);
      t = stop;
      progress_[static_cast<std::size_t>(s)].publish(base + static_cast<std::uint32_t>(t));
    }
    // Slots outside the active range hold no free node and need no update.
    progress_[static_cast<std::size_t>(s)].publish(base + StripGrid::kSlots);
    return largest;
  }

  // Strips first, first+step, ... of sweep n.
  float sweep_share(int first, int step, std::uint32_t n) {
    float largest = 0.0f;
    for (int s = first; s < StripGrid::kStrips; s += step) largest = sweep_strip(s, n, largest);
    return largest;
  }

  int threads_for(long long sweep, const ThreadChoice& choice) const {
    switch (use_) {
      case ThreadUse::One: return 1;
      case ThreadUse::Two: return 2;
      case ThreadUse::Alternate: return sweep % 2 == 0 ? 1 : 2;
      case ThreadUse::Automatic: break;
    }
    return choice.next();
  }

  // The calling thread: runs its share of every sweep, takes the stop
  // decision, and tells the helper (if any) which sweeps to join.
  RelaxOutcome control(std::thread* helper) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point begin = Clock::now();
    ThreadChoice choice(helper != nullptr);
    RelaxOutcome outcome;
    for (std::uint32_t n = 1;; ++n) {
      const long long sweeps = outcome.sweeps + 1;
      const int threads = helper != nullptr ? threads_for(sweeps, choice) : 1;
      const Clock::time_point start = Clock::now();
      float largest = 0.0f;
      if (threads == 2) {
        command(n, false);
        const float mine = sweep_share(0, 2, n);
        helper_done_.wait_for(n);
        const float theirs = helper_largest_;
        largest = theirs > mine ? theirs : mine;  // both +0.0 or more, no NaN: exact either way
      } else {
        largest = sweep_share(0, 1, n);
      }
      const Clock::time_point end = Clock::now();
      choice.record(threads, std::chrono::duration<double>(end - start).count(),
                    std::chrono::duration<double>(end - begin).count());
      outcome = {sweeps, largest};
      if (report_) report_(outcome.sweeps, outcome.largest);
      // The stop test comes after the sweep: at least one sweep always runs.
      if (outcome.sweeps > limits_.max_sweeps || outcome.largest <= limits_.limit) break;
    }
    if (helper != nullptr) {
      command(0, true);
      helper->join();
    }
    return outcome;
  }

  // Hands the helper its next command. The fields are read by the helper
  // after the release below, and written again only after it has reported.
  void command(std::uint32_t sweep, bool quit) {
    command_sweep_ = sweep;
    quit_ = quit;
    command_.publish(++commands_);
  }

  // The second thread: waits for a command, runs its share of that sweep.
  void help() {
    for (std::uint32_t seen = 1;; ++seen) {
      command_.wait_for(seen);
      if (quit_) return;
      const std::uint32_t n = command_sweep_;
      helper_largest_ = sweep_share(1, 2, n);
      helper_done_.publish(n);
    }
  }

  StripGrid& grid_;
  Kernel kernel_;
  ThreadUse use_;
  RelaxLimits limits_;
  const ProgressFn& report_;
  std::array<Counter, StripGrid::kStrips> progress_;  // slots finished per strip
  Counter command_;      // commands given to the helper
  Counter helper_done_;  // the last sweep the helper finished
  std::uint32_t commands_ = 0;
  std::uint32_t command_sweep_ = 0;
  bool quit_ = false;
  float helper_largest_ = 0.0f;
};

}  // namespace

bool simd_path_available(SimdPath path) {
  switch (path) {
    case SimdPath::Portable: return true;
#if BRISKET_X86_KERNELS
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
  StripGrid grid(codes, cover);
  grid.load(z);
  Pipeline pipeline(grid, kernel_for(path), options.threads, limits, options.progress);
  const RelaxOutcome outcome = pipeline.run();
  grid.store(z);
  return outcome;
}

}  // namespace brisket
