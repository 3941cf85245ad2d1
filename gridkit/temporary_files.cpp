#include "gridkit/temporary_files.hpp"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

#include "gridkit/error.hpp"

namespace gridkit {

namespace {

// One slot per temporary file. A slot is claimed (free -> filling), its path
// copied in, and only then marked live; the handler reads live slots only, so
// it never sees a half-copied path. Paths longer than a slot, or more files
// than slots, are still written and removed normally, just not on a signal.
enum SlotState : int { kFree = 0, kFilling = 1, kLive = 2 };
constexpr std::size_t kSlots = 128;
struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};
std::array<Slot, kSlots> slots;

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls: unlink, signal, raise.
extern "C" void remove_temporaries_and_end(int signal_number) {
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) == kLive) ::unlink(slot.path);
  }
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

void install_handlers() {
  for (const int signal_number : kSignals) {
    struct sigaction current {};
    if (::sigaction(signal_number, nullptr, &current) != 0) continue;
    if (current.sa_handler != SIG_DFL || (current.sa_flags & SA_SIGINFO) != 0) continue;
    struct sigaction action {};
    action.sa_handler = remove_temporaries_and_end;
    sigemptyset(&action.sa_mask);
    for (const int other : kSignals) sigaddset(&action.sa_mask, other);
    ::sigaction(signal_number, &action, nullptr);
  }
}

// A function-local static is set up once even with threads, and cannot throw
// here, so listing stays noexcept.
void install_handlers_once() noexcept {
  static const bool installed = (install_handlers(), true);
  (void)installed;
}

}  // namespace

void list_temporary(const std::filesystem::path& temp) noexcept {
  install_handlers_once();
  const std::string& text = temp.native();
  if (text.size() >= PATH_MAX) return;
  for (Slot& slot : slots) {
    int expected = kFree;
    if (!slot.state.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel))
      continue;
    std::memcpy(slot.path, text.c_str(), text.size() + 1);
    slot.state.store(kLive, std::memory_order_release);
    return;
  }
}

std::filesystem::path create_temporary_beside(const std::filesystem::path& target,
                                              const std::string& name, int& fd) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path folder = target.parent_path();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    // ".NAME.PID-N.tmp.EXT": hidden, marked as temporary, and still ending
    // in the output's extension, which some writers (GDAL's) go by.
    const std::string leaf = "." + target.stem().string() + "." + std::to_string(::getpid()) + "-" +
                             std::to_string(counter++) + ".tmp" + target.extension().string();
    const std::filesystem::path temp = folder / leaf;
    // Listed before it exists, so no signal can fall between its creation
    // and its listing; O_EXCL fails rather than take a file already there.
    list_temporary(temp);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return temp;
    const int error = errno;
    forget_temporary(temp);
    if (error != EEXIST) throw KitError::open(name, system_reason(error));
  }
  throw KitError::open(name, "no free name for a temporary file in its folder");
}

void forget_temporary(const std::filesystem::path& temp) noexcept {
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) != kLive) continue;
    if (std::strcmp(slot.path, temp.c_str()) != 0) continue;
    int expected = kLive;
    if (slot.state.compare_exchange_strong(expected, kFilling, std::memory_order_acq_rel)) {
      slot.path[0] = '\0';
      slot.state.store(kFree, std::memory_order_release);
    }
    return;
  }
}

void remove_temporary(const std::filesystem::path& temp) noexcept {
  ::unlink(temp.c_str());
  forget_temporary(temp);
}

}  // namespace gridkit
