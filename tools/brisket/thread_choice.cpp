#include "tools/brisket/thread_choice.hpp"

#include <algorithm>

namespace brisket {

int ThreadChoice::next() const {
  if (!possible_) return 1;
  return trial_ != 0 ? trial_ : current_;
}

void ThreadChoice::record(int threads, double seconds, double now) {
  if (!possible_) return;
  if (trial_ == 0) {
    ++kept_sweeps_;
    // The first sweep warms the caches and is not typical.
    if (kept_sweeps_ > 1) typical_ = typical_ == 0.0 ? seconds : 0.75 * typical_ + 0.25 * seconds;
    if (kept_sweeps_ >= kWarmSweeps && now >= next_trial_) {
      trial_ = 3 - current_;
      trial_sweeps_ = 0;
      trial_best_ = 0.0;
    }
    return;
  }
  if (threads != trial_) return;
  ++trial_sweeps_;
  const bool lost = seconds > (trial_sweeps_ == 1 ? kFirstGiveUp : kGiveUp) * typical_;
  if (trial_sweeps_ > 1 && (trial_best_ == 0.0 || seconds < trial_best_)) trial_best_ = seconds;
  if (!lost && trial_sweeps_ < kTrialSweeps) return;
  trial_ = 0;
  if (!lost && trial_best_ < kMargin * typical_) {
    current_ = threads;
    typical_ = trial_best_;
    wait_ = kFirstWait;
  } else {
    wait_ = std::min(2.0 * wait_, kLongestWait);
  }
  next_trial_ = now + wait_;
}

}  // namespace brisket
