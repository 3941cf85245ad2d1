#include "installer/payload/pending_files.hpp"

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace payload {

namespace {

// Fixed storage, so that the handler only reads memory and calls unlink.
constexpr int kSlots = 16;
constexpr std::size_t kPathBytes = 4096;
char paths[kSlots][kPathBytes];
volatile std::sig_atomic_t held[kSlots];

extern "C" void remove_and_end(int signal) {
  for (int i = 0; i < kSlots; ++i) {
    if (held[i] != 0) ::unlink(paths[i]);
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

void remove_pending_files_on_signals() {
  struct sigaction action {};
  action.sa_handler = remove_and_end;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

PendingFile::PendingFile(const std::string& path) : slot_(-1) {
  if (path.size() >= kPathBytes) return;
  for (int i = 0; i < kSlots; ++i) {
    if (held[i] == 0) {
      std::memcpy(paths[i], path.c_str(), path.size() + 1);
      held[i] = 1;
      slot_ = i;
      return;
    }
  }
}

PendingFile::~PendingFile() {
  if (slot_ >= 0) held[slot_] = 0;
}

}  // namespace payload
