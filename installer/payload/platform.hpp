// What the copy phase asks of the system it runs on. The payload reader and
// the copy phase are portable; each system (the Windows installer, the
// native `setuppack extract`) supplies one implementation of this interface.
//
// Paths are byte strings in the system's own form. The copy phase forms a
// target path as install folder + separator() + file name, and a continuation
// file's path as source folder + "<char>.DAT" (the source folder ends with
// the separator).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace payload {

struct InstallHeader;

// Outcome of reading a whole file.
struct FileRead {
  bool ok = false;
  std::vector<std::uint8_t> bytes;
  std::string problem;  // when !ok: "cannot be opened", "cannot be sized", ...
};

// The two lines of the progress box.
enum class Progress {
  installing_file,       // "Installing file:" and the target path
  loading_install_data,  // "Loading install data:" and the continuation file's path
};

// The text shown above the path for each progress line.
const char* progress_text(Progress line);

class Platform {
 public:
  virtual ~Platform() = default;

  // The character that separates a folder from a name ('\\' or '/').
  virtual char separator() const = 0;

  // Reads a whole file. Fails when it cannot be opened or sized, or when
  // fewer bytes arrive than its size.
  virtual FileRead read_file(const std::string& path) = 0;

  // Creates one folder level; an existing folder is fine and failures are
  // not reported (they show up when the first file cannot be created).
  virtual void create_folder(const std::string& path) = 0;

  // True when a file of that path exists and can be opened for reading.
  virtual bool file_readable(const std::string& path) = 0;

  // Creates the file (replacing any existing one) and writes all of
  // `bytes`. On failure returns false and leaves no partial file behind.
  virtual bool write_new_file(const std::string& path, std::span<const std::uint8_t> bytes) = 0;

  // Sets only the last-write time (a Windows file time: 100 ns ticks since
  // 1 January 1601 UTC); creation and access times are left alone. Failures
  // are ignored.
  virtual void set_last_write_time(const std::string& path, std::uint64_t file_time) = 0;

  // True when the system can load a shared library of this bare name through
  // its normal search (any library so loaded is released at once).
  virtual bool library_present(const std::string& name) = 0;

  // Shows one line of the progress box; end_progress() erases the box.
  virtual void show_progress(Progress line, const std::string& path) = 0;
  virtual void end_progress() = 0;

  // The disk-change prompt for a missing, unreadable or empty continuation
  // file: `label` from the last disk record, `drive` the source folder's
  // first character and ":", `path` the file looked for. True for OK (try
  // again), false for Cancel (the copy phase fails).
  virtual bool ask_for_disk(const std::string& label, const std::string& drive,
                            const std::string& path) = 0;

  // Called at the end record: the shortcuts to target_folder + header.program
  // (target_folder ends with the separator), named header.link_name and
  // described by header.description. Failures are not reported.
  virtual void create_shortcuts(const InstallHeader& header, const std::string& target_folder) = 0;
};

}  // namespace payload
