// The fast relaxation: the strip layout swept by the widest kernel the
// processor runs, on one thread or two. Where the kernel has a two-strip
// form, neighbouring strips are swept together, the lower one a strip's
// height of slots behind (see sweep_kernels.hpp), so that the processor
// works on two independent chains of slots at once.
//
// One thread updates the strips in order, in place. Two threads split the
// strips into an upper part (the calling thread) and a lower part (a helper)
// and work one sweep apart: while the helper makes sweep n on the lower part,
// the calling thread already makes sweep n+1 on the upper part. The upper
// part's sweep n+1 needs only the lower part's top strip after sweep n (the
// old south neighbours of its bottom strip), and the lower part's sweep n
// needs only the upper part's bottom strip after sweep n (the new north
// neighbours of its top strip), made in the round before. So the threads meet
// twice a sweep, not hundreds of times: handing a cache line from one core to
// the other can take microseconds on a busy virtual machine. The two sweeps
// read one copy of the grid and write the other, so the sweep made ahead is
// simply dropped when the stop test ends the run after the sweep before it.
// Every node gets the same operands in the same order either way, and so the
// same bits. Each counter below is published with release and read with
// acquire, which orders every value that crosses between the threads.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <system_error>
#include <thread>

#include "tools/brisket/relax.hpp"
#include "tools/brisket/strip_grid.hpp"
#include "tools/brisket/sweep_kernels.hpp"
#include "tools/brisket/thread_choice.hpp"

namespace brisket {

namespace {

using Kernel = float (*)(const kernel::Strip&, int, int, float);
using PairKernel = float (*)(const kernel::Strip&, const kernel::Strip&, int, int, float);

struct Kernels {
  Kernel single = kernel::sweep_steps_portable;
  PairKernel pair = nullptr;  // none: strips are swept one at a time
};

Kernels kernels_for(SimdPath path) {
#if BRISKET_X86_KERNELS
  switch (path) {
    case SimdPath::Avx512: return {kernel::sweep_steps_avx512, kernel::sweep_pair_steps_avx512};
    case SimdPath::Avx2: return {kernel::sweep_steps_avx2, kernel::sweep_pair_steps_avx2};
    case SimdPath::Portable: break;
  }
#else
  (void)path;
#endif
  return {};
}

inline void cpu_relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// A counter that only grows, compared by serial-number arithmetic so that it
// may wrap: the two sides are never more than a few sweeps apart. A waiter
// spins briefly, then sleeps; the publisher wakes it only when one sleeps, as
// a wake-up is a system call. (The standard library's own check for sleepers
// is shared between many addresses and would often call the system for
// nothing.)
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
    // Spin about as long as a sleep and a wake-up would cost, then sleep:
    // the other thread may have lost its core to another job, and spinning
    // on may keep it from getting one.
    constexpr std::chrono::microseconds kSpinTime{10};
    std::uint32_t seen = value_.load(std::memory_order_acquire);
    if (reached(seen, target)) return seen;
    const auto spin_until = std::chrono::steady_clock::now() + kSpinTime;
    bool spinning = true;
    for (int spins = 1; !reached(seen, target); ++spins) {
      if (spinning) {
        cpu_relax();
        if (spins % 16 == 0 && std::chrono::steady_clock::now() >= spin_until) spinning = false;
      } else {
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

 private:
  alignas(64) std::atomic<std::uint32_t> value_{0};  // a cache line of its own
  std::atomic<std::uint32_t> sleepers_{0};
};

class Pipeline {
 public:
  Pipeline(StripGrid& grid, Kernels kernels, ThreadUse use, RelaxLimits limits,
           const ProgressFn& report)
      : grid_(grid),
        kernels_(kernels),
        use_(use),
        limits_(limits),
        report_(report),
        split_(balanced_split(grid)) {}

  RelaxOutcome run() {
    const bool two_possible =
        use_ == ThreadUse::Two || use_ == ThreadUse::Alternate ||
        (use_ == ThreadUse::Automatic && std::thread::hardware_concurrency() >= 2);
    // A grid of one strip (up to 30 rows) has no lower part to hand over.
    if (!two_possible || grid_.strips() < 2) return control(nullptr);
    std::thread helper;
    try {
      helper = std::thread([this] { help(); });
    } catch (const std::system_error&) {
      return control(nullptr);  // no second thread to be had: one does it all
    }
    return control(&helper);
  }

  // The copy of the grid that holds the result.
  int result_copy() const { return copy_; }

 private:
  // The first strip of the lower part: the one that splits the work most evenly.
  static int balanced_split(const StripGrid& grid) {
    long total = 0;
    for (int s = 0; s < grid.strips(); ++s) total += grid.end_active(s) - grid.first_active(s);
    int best = 1;
    long best_load = total + 1;
    long upper = 0;
    for (int split = 1; split < grid.strips(); ++split) {
      upper += grid.end_active(split - 1) - grid.first_active(split - 1);
      const long load = std::max(upper, total - upper);
      if (load < best_load) {
        best_load = load;
        best = split;
      }
    }
    return best;
  }

  // Strips [from, to) of one sweep, read from copy src and written to dst;
  // returns the larger of `largest` and their largest change. Neighbouring
  // strips that both have free nodes go to the pair kernel when there is one.
  float sweep_range(int from, int to, int src, int dst, float largest) {
    for (int s = from; s < to;) {
      const bool pair = kernels_.pair != nullptr && s + 1 < to && has_free(s) && has_free(s + 1);
      if (pair) {
        largest = sweep_pair(s, src, dst, largest);
        s += 2;
        continue;
      }
      if (has_free(s))
        largest = sweep_strip(s, grid_.first_active(s), grid_.end_active(s), src, dst, largest);
      ++s;
    }
    return largest;
  }

  bool has_free(int s) const { return grid_.first_active(s) < grid_.end_active(s); }

  // Slots [first, end) of strip s alone.
  float sweep_strip(int s, int first, int end, int src, int dst, float largest) {
    return first < end ? kernels_.single(grid_.strip(s, src, dst), first, end, largest) : largest;
  }

  // Strips s and s+1, both with free nodes: in the pair kernel's order, strip
  // s+1 kPairLag slots behind strip s, where the two overlap; before and
  // after that only one of them has slots to make, alone.
  float sweep_pair(int s, int src, int dst, float largest) {
    constexpr int kLag = kernel::kPairLag;
    const int upper_first = grid_.first_active(s);
    const int upper_end = grid_.end_active(s);
    // The lower strip's slots on the upper strip's count: t = slot + kLag.
    const int lower_first = grid_.first_active(s + 1) + kLag;
    const int lower_end = grid_.end_active(s + 1) + kLag;
    const int both_first = std::max(upper_first, lower_first);
    const int both_end = std::min(upper_end, lower_end);
    if (both_first >= both_end) {
      // No step in common: one strip after the other, as without the pair.
      largest = sweep_strip(s, upper_first, upper_end, src, dst, largest);
      return sweep_strip(s + 1, lower_first - kLag, lower_end - kLag, src, dst, largest);
    }
    largest = sweep_strip(s, upper_first, both_first, src, dst, largest);
    largest = sweep_strip(s + 1, lower_first - kLag, both_first - kLag, src, dst, largest);
    largest = kernels_.pair(grid_.strip(s, src, dst), grid_.strip(s + 1, src, dst), both_first,
                            both_end, largest);
    largest = sweep_strip(s, both_end, upper_end, src, dst, largest);
    return sweep_strip(s + 1, both_end - kLag, lower_end - kLag, src, dst, largest);
  }

  // The upper part's share of sweep n. Its bottom strip waits for the lower
  // part's top strip to have made sweep n-1.
  float sweep_upper(std::uint32_t n, int src, int dst) {
    float largest = sweep_range(0, split_ - 1, src, dst, 0.0f);
    lower_top_.wait_for(n - 1);
    return sweep_range(split_ - 1, split_, src, dst, largest);
  }

  // The lower part's share of sweep n.
  float sweep_lower(std::uint32_t n, int src, int dst) {
    float largest = sweep_range(split_, split_ + 1, src, dst, 0.0f);
    lower_top_.publish(n);
    return sweep_range(split_ + 1, grid_.strips(), src, dst, largest);
  }

  int threads_for(long long sweep, const ThreadChoice& choice) const {
    switch (use_) {
      case ThreadUse::One: return 1;
      case ThreadUse::Two: return 2;
      case ThreadUse::Alternate: return sweep % 3 == 0 ? 1 : 2;  // starts, steady rounds and stops
      case ThreadUse::Automatic: break;
    }
    return choice.next();
  }

  // The calling thread: takes the stop decision after every sweep and, with
  // two threads, tells the helper which sweep to make on the lower part.
  RelaxOutcome control(std::thread* helper) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point begin = Clock::now();
    ThreadChoice choice(helper != nullptr);
    RelaxOutcome outcome;
    std::uint32_t done = 0;  // sweeps made on every strip; their result is in copy_
    bool ahead = false;      // the upper part has made sweep done+1 into the other copy
    float ahead_largest = 0.0f;
    for (;;) {
      const int threads = helper != nullptr ? threads_for(outcome.sweeps + 1, choice) : 1;
      const Clock::time_point start = Clock::now();
      float largest = 0.0f;
      if (threads == 1) {
        ahead = false;  // a sweep made ahead is dropped
        largest = sweep_range(0, grid_.strips(), copy_, copy_, 0.0f);
        ++done;
      } else {
        const std::uint32_t n = done + 1;
        const int before = copy_;
        const int after = 1 - copy_;
        if (!ahead) {
          // The first round: the upper part makes sweep n alone.
          lower_top_.publish(done);
          ahead_largest = sweep_upper(n, before, after);
        }
        command(n, before, after, false);
        // Sweep n+1 of the upper part, unless the count already ends the run.
        ahead = outcome.sweeps + 1 <= limits_.max_sweeps;
        const float next_largest = ahead ? sweep_upper(n + 1, after, before) : 0.0f;
        helper_done_.wait_for(n);
        const float theirs = helper_largest_;
        largest =
            theirs > ahead_largest ? theirs : ahead_largest;  // both +0.0 or more, no NaN: exact
        ahead_largest = next_largest;
        done = n;
        copy_ = after;
      }
      const Clock::time_point end = Clock::now();
      choice.record(threads, std::chrono::duration<double>(end - start).count(),
                    std::chrono::duration<double>(end - begin).count());
      outcome = {outcome.sweeps + 1, largest};
      if (report_) report_(outcome.sweeps, outcome.largest);
      // The stop test comes after the sweep: at least one sweep always runs.
      if (outcome.sweeps > limits_.max_sweeps || outcome.largest <= limits_.limit) break;
    }
    if (helper != nullptr) {
      command(0, 0, 0, true);
      helper->join();
    }
    return outcome;
  }

  // Hands the helper its next command. The fields are read by the helper
  // after the release below, and written again only after it has reported.
  void command(std::uint32_t sweep, int src, int dst, bool quit) {
    command_sweep_ = sweep;
    command_src_ = src;
    command_dst_ = dst;
    quit_ = quit;
    command_.publish(++commands_);
  }

  // The second thread: waits for a command, makes its share of that sweep.
  void help() {
    for (std::uint32_t seen = 1;; ++seen) {
      command_.wait_for(seen);
      if (quit_) return;
      const std::uint32_t n = command_sweep_;
      helper_largest_ = sweep_lower(n, command_src_, command_dst_);
      helper_done_.publish(n);
    }
  }

  StripGrid& grid_;
  Kernels kernels_;
  ThreadUse use_;
  RelaxLimits limits_;
  const ProgressFn& report_;
  const int split_;      // first strip of the lower part
  int copy_ = 0;         // the copy holding the state after the last whole sweep
  Counter command_;      // commands given to the helper
  Counter helper_done_;  // the last sweep the helper finished
  Counter lower_top_;    // the last sweep made on the lower part's top strip
  std::uint32_t commands_ = 0;
  std::uint32_t command_sweep_ = 0;
  int command_src_ = 0;
  int command_dst_ = 0;
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

RelaxOutcome relax_fast(gridkit::RealGrid& z, const gridkit::IntGrid& codes, SweepCover cover,
                        RelaxLimits limits, const FastOptions& options) {
  const SimdPath path = simd_path_available(options.path) ? options.path : SimdPath::Portable;
  StripGrid grid(codes, cover);
  grid.load(z);
  Pipeline pipeline(grid, kernels_for(path), options.threads, limits, options.progress);
  const RelaxOutcome outcome = pipeline.run();
  grid.store(z, pipeline.result_copy());
  return outcome;
}

}  // namespace brisket
