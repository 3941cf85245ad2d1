// How many threads the next sweep uses. Two threads, one sweep apart on the
// upper and lower strips, can be nearly twice as fast when both cores are
// free; but when other jobs hold the cores, every meeting of the threads may
// wait for the scheduler, and then one thread is far faster. The results are the same bits either
// way, so the choice is made by measurement: the run starts on one thread, tries the other way for
// a few sweeps, keeps the faster, and tries again later, less often after each trial that lost. A
// trial sweep that is clearly slower ends its trial at once, so a losing trial costs little.
#pragma once

namespace brisket {

class ThreadChoice {
 public:
  explicit ThreadChoice(bool two_threads_possible) : possible_(two_threads_possible) {}

  // Threads for the next sweep: 1 or 2.
  int next() const;
  // The time in seconds the sweep just made took with `threads` threads;
  // `now` is the time since the start of the relaxation.
  void record(int threads, double seconds, double now);

 private:
  static constexpr int kWarmSweeps = 2;         // sweeps before the first trial
  static constexpr int kTrialSweeps = 3;        // sweeps of a trial, the first not counted
  static constexpr double kMargin = 0.9;        // the other way must be this much faster ...
  static constexpr double kGiveUp = 3.0;        // ... and a trial sweep this much slower ends it,
  static constexpr double kFirstGiveUp = 20.0;  // or the first, which also wakes the other thread
  static constexpr double kFirstWait = 0.25;    // seconds from a lost trial to the next
  static constexpr double kLongestWait = 8.0;

  bool possible_;
  int current_ = 1;  // the way kept between trials
  int trial_ = 0;    // the way on trial, 0 when none
  int trial_sweeps_ = 0;
  double trial_best_ = 0.0;
  double typical_ = 0.0;  // recent time of a sweep the kept way (moving average)
  int kept_sweeps_ = 0;
  double next_trial_ = 0.0;  // time of the next trial
  double wait_ = kFirstWait;
};

}  // namespace brisket
