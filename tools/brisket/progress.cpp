#include "tools/brisket/progress.hpp"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "gridkit/numfmt.hpp"

namespace brisket {

namespace {
constexpr std::chrono::milliseconds kInterval{500};
constexpr int kLineWidth = 60;
}  // namespace

TerminalProgress::TerminalProgress()
    : active_(isatty(STDERR_FILENO) == 1), next_(std::chrono::steady_clock::now() + kInterval) {}

TerminalProgress::~TerminalProgress() {
  if (shown_) std::fprintf(stderr, "\r%*s\r", kLineWidth, "");
}

void TerminalProgress::operator()(long long sweeps, float largest) {
  if (!active_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now < next_) return;
  next_ = now + kInterval;
  const std::string line = "SWEEP" + gridkit::free_int_field(sweeps) + "   LARGEST CHANGE" +
                           gridkit::free_real_field(largest);
  std::fprintf(stderr, "\r%-*s", kLineWidth, line.c_str());
  std::fflush(stderr);
  shown_ = true;
}

}  // namespace brisket
