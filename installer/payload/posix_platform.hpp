// The copy phase's platform on Linux and other POSIX systems, as used by
// `setuppack extract`: plain files, modification times, the dynamic
// loader's folders for the library presence test, progress lines and the
// disk prompt on text streams.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "installer/payload/library_search.hpp"

#include "installer/payload/platform.hpp"

namespace payload {

// Windows file time <-> seconds and nanoseconds since 1970 (UTC).
struct UnixTime {
  std::int64_t seconds = 0;
  std::int64_t nanoseconds = 0;  // 0 .. 999999999
};
UnixTime unix_time(std::uint64_t file_time);
std::uint64_t file_time(const UnixTime& time);

class PosixPlatform : public Platform {
 public:
  // Disk prompt: given label and path, true for OK and false for Cancel.
  using DiskPrompt = std::function<bool(const std::string& label, const std::string& path)>;

  // Progress lines go to `progress`; the disk prompt to `ask` (none: a
  // missing disk is a failure).
  PosixPlatform(std::ostream& progress, DiskPrompt ask);

  char separator() const override { return '/'; }
  FileRead read_file(const std::string& path) override;
  void create_folder(const std::string& path) override;
  bool file_readable(const std::string& path) override;
  std::optional<Failure> write_new_file(const std::string& path,
                                        std::span<const std::uint8_t> bytes) override;
  void set_last_write_time(const std::string& path, std::uint64_t file_time) override;
  bool library_present(const std::string& name, const std::string& install_folder) override;
  void show_progress(Progress line, const std::string& path) override;
  void end_progress() override;
  bool ask_for_disk(const std::string& label, const std::string& drive,
                    const std::string& path) override;
  void create_shortcuts(const InstallHeader& header, const std::string& target_folder) override;

  // Where the dynamic loader keeps its cache of library names.
  static constexpr const char* kLoaderCache = "/etc/ld.so.cache";

 private:
  std::ostream& progress_;
  DiskPrompt ask_;
  std::optional<std::vector<CachedLibrary>> loader_cache_;  // read at the first "?" test
};

// A disk prompt on the controlling terminal ("OK" on Enter or "y", Cancel on
// "n", "c" or end of input); when there is no terminal every prompt cancels.
PosixPlatform::DiskPrompt terminal_disk_prompt();

}  // namespace payload
