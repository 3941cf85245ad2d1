// The measured choice between one and two threads, fed made-up sweep times.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tools/brisket/thread_choice.hpp"

namespace brisket {
namespace {

// Runs `sweeps` sweeps whose time depends on the thread count and the clock;
// returns the thread counts used, one character per sweep.
std::string simulate(ThreadChoice& choice, int sweeps, double& now,
                     const std::function<double(int threads, double now)>& seconds) {
  std::string used;
  for (int k = 0; k < sweeps; ++k) {
    const int threads = choice.next();
    const double s = seconds(threads, now);
    now += s;
    choice.record(threads, s, now);
    used += static_cast<char>('0' + threads);
  }
  return used;
}

TEST(ThreadChoice, OneCoreAlwaysUsesOneThread) {
  ThreadChoice choice(false);
  double now = 0.0;
  EXPECT_EQ(simulate(choice, 6, now, [](int, double) { return 0.001; }), "111111");
}

TEST(ThreadChoice, KeepsTwoThreadsWhenTheyAreFaster) {
  ThreadChoice choice(true);
  double now = 0.0;
  const std::string used =
      simulate(choice, 10, now, [](int threads, double) { return threads == 2 ? 0.5e-3 : 1e-3; });
  EXPECT_EQ(used, "1122222222");  // two warm sweeps, a trial of three, kept
}

TEST(ThreadChoice, ALosingTrialEndsAtOnceAndIsTriedLessOften) {
  ThreadChoice choice(true);
  double now = 0.0;
  // Two threads 50 times slower, as when other jobs hold the cores.
  const auto loaded = [](int threads, double) { return threads == 2 ? 50e-3 : 1e-3; };
  std::string used = simulate(choice, 5, now, loaded);
  EXPECT_EQ(used, "11211");
  // Over the next 10 seconds only a few single sweeps go to trials.
  used = simulate(choice, 10000, now, loaded);
  int trials = 0;
  for (const char c : used) trials += c == '2' ? 1 : 0;
  EXPECT_GE(trials, 3);
  EXPECT_LE(trials, 6);  // after 0.5, 1, 2, 4, 8 seconds
}

TEST(ThreadChoice, TheFirstTrialSweepMayPayForWakingTheOtherThread) {
  ThreadChoice choice(true);
  double now = 0.0;
  int twos = 0;
  const std::string used = simulate(choice, 10, now, [&twos](int threads, double) {
    if (threads == 1) return 1e-3;
    return ++twos == 1 ? 8e-3 : 0.5e-3;  // a slow wake-up, then faster
  });
  EXPECT_EQ(used, "1122222222");

  ThreadChoice slower(true);
  now = 0.0;
  EXPECT_EQ(
      simulate(slower, 6, now, [](int threads, double) { return threads == 2 ? 4e-3 : 1e-3; }),
      "112211");
}

TEST(ThreadChoice, GoesBackToOneThreadWhenTheMachineGetsBusy) {
  ThreadChoice choice(true);
  double now = 0.0;
  const auto timing = [](int threads, double t) {
    if (threads == 1) return 1e-3;
    return t < 2.0 ? 0.5e-3 : 5e-3;  // the other core is taken after 2 seconds
  };
  simulate(choice, 100, now, timing);
  EXPECT_EQ(choice.next(), 2);
  simulate(choice, 6000, now, timing);
  EXPECT_EQ(choice.next(), 1);
}

}  // namespace
}  // namespace brisket
