// The run's temporary files, kept in a fixed table that a signal handler may
// read: an interrupt (SIGINT), a termination request (SIGTERM) or a lost
// terminal (SIGHUP) removes every temporary file still listed and then ends
// the program as the signal would have. A signal the program was started
// with ignored (nohup) stays ignored.
#pragma once

#include <filesystem>
#include <string>
#include <utility>

namespace gridkit {

// A new, empty file beside `target`, named after it, created exclusively (no
// other run can hold it) and listed for removal on a signal. Returns its path
// and its open descriptor in `fd`. An error is an open error naming `name`.
std::filesystem::path create_temporary_beside(const std::filesystem::path& target,
                                              const std::string& name, int& fd);

// Lists a path for removal on a signal: a temporary file made by other
// code, or a file another library makes beside one (a database's journal).
// The first listing installs the signal handlers.
void list_temporary(const std::filesystem::path& temp) noexcept;

// Takes a path off the list once it is renamed over its target or removed.
void forget_temporary(const std::filesystem::path& temp) noexcept;

// Removes the file and takes it off the list.
void remove_temporary(const std::filesystem::path& temp) noexcept;

// Keeps a path on the list for as long as it lives: from before the file is
// created until it is moved over its name or removed.
class TemporaryListing {
 public:
  explicit TemporaryListing(std::filesystem::path temp) : temp_(std::move(temp)) {
    list_temporary(temp_);
  }
  ~TemporaryListing() { forget_temporary(temp_); }
  TemporaryListing(const TemporaryListing&) = delete;  // one listing, one removal from the list
  TemporaryListing& operator=(const TemporaryListing&) = delete;

 private:
  std::filesystem::path temp_;
};

}  // namespace gridkit
