// Progress of a long relaxation, shown on standard error when it is a
// terminal: the sweep count and the largest change, about twice a second, on
// one line that is rubbed out at the end. Standard output keeps only the
// dialogue.
#pragma once

#include <chrono>

namespace brisket {

class TerminalProgress {
 public:
  TerminalProgress();  // shows nothing unless standard error is a terminal
  ~TerminalProgress();
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  bool active() const { return active_; }
  void operator()(long long sweeps, float largest);

 private:
  bool active_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point next_;
};

}  // namespace brisket
