// Temporary files that an interrupt must not leave behind: each is held
// from its creation until it is moved over its name or removed, and a
// SIGINT, SIGTERM or SIGHUP removes every one still held before the
// program ends.
#pragma once

#include <string>

namespace payload {

// Installs the signal handlers (once; the programs call it from main).
void remove_pending_files_on_signals();

// Holds `path` while it exists under its temporary name.
class PendingFile {
 public:
  explicit PendingFile(const std::string& path);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

 private:
  int slot_;  // -1 when there was no free slot (the file is then not removed)
};

}  // namespace payload
