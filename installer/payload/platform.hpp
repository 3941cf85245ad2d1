// What the copy phase asks of the system it runs on. The payload reader and
// the copy phase are portable; each system (the Windows installer, the
// native `setuppack extract`) supplies one implementation of this interface.
//
// Paths are byte strings in the system's own form. The copy phase forms a
// target path as install folder + separator() + file name, and a continuation
// file's path as source folder + "<char>.DAT" (the source folder ends with
// the separator).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "installer/payload/failure.hpp"

namespace payload {

struct InstallHeader;

// Outcome of reading a whole file: its bytes in storage that the read fills
// without clearing it first, or the failure (the path and the system's
// reason).
struct FileRead {
  std::shared_ptr<std::uint8_t[]> storage;
  std::size_t size = 0;
  std::optional<Failure> failure;

  std::span<const std::uint8_t> bytes() const { return {storage.get(), size}; }
};

// Storage for `size` bytes that is not cleared (at least one byte, so that
// an empty file still has storage).
inline std::shared_ptr<std::uint8_t[]> uncleared_storage(std::size_t size) {
  return std::shared_ptr<std::uint8_t[]>(new std::uint8_t[size == 0 ? 1 : size]);
}

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

  // Writes all of `bytes` to a new file under a temporary name in the
  // target's folder and moves it over `path` once it is whole, so that an
  // earlier file of that name stays as it was when anything fails. The
  // failure names `path` and gives the system's reason; no temporary file
  // is left behind.
  virtual std::optional<Failure> write_new_file(const std::string& path,
                                                std::span<const std::uint8_t> bytes) = 0;

  // Sets only the last-write time (a Windows file time: 100 ns ticks since
  // 1 January 1601 UTC); creation and access times are left alone. Failures
  // are ignored.
  virtual void set_last_write_time(const std::string& path, std::uint64_t file_time) = 0;

  // True when the system provides a shared library of this bare name through
  // its normal search. Never runs code of the library, and never counts one
  // in the current folder or in `install_folder`.
  virtual bool library_present(const std::string& name, const std::string& install_folder) = 0;

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
