// The copy phase's platform with files and folders in memory: for tests and
// the fuzz target, which run thousands of payloads a second without
// touching a disk. Paths use "\" as on Windows.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "installer/payload/header.hpp"
#include "installer/payload/platform.hpp"

namespace payload {

class MemoryPlatform : public Platform {
 public:
  using Bytes = std::vector<std::uint8_t>;

  std::map<std::string, Bytes> files;          // path -> contents
  std::set<std::string> folders;               // folders created
  std::map<std::string, std::uint64_t> times;  // path -> last-write time set
  std::set<std::string> libraries;             // names the system provides
  std::set<std::string> unwritable;            // paths whose writing fails
  std::deque<bool> disk_answers;               // OK / Cancel, in order; empty: Cancel
  std::map<std::string, Bytes> inserted_disk;  // files that appear on the first OK
  std::vector<std::string> log;                // progress lines, prompts, shortcuts
  bool keep_log = true;                        // off: nothing is logged (fuzzing)

  char separator() const override { return '\\'; }
  FileRead read_file(const std::string& path) override {
    FileRead read;
    const auto it = files.find(path);
    if (it == files.end()) {
      read.failure = Failure{path, std::nullopt, "cannot be opened"};
      return read;
    }
    read.storage = uncleared_storage(it->second.size());
    std::copy(it->second.begin(), it->second.end(), read.storage.get());
    read.size = it->second.size();
    return read;
  }
  void create_folder(const std::string& path) override {
    folders.insert(path);
    note("folder " + path);
  }
  bool file_readable(const std::string& path) override { return files.count(path) != 0; }
  std::optional<Failure> write_new_file(const std::string& path,
                                        std::span<const std::uint8_t> bytes) override {
    if (unwritable.count(path) != 0)
      return Failure{path, std::nullopt, "write: No space left on device"};
    files[path] = Bytes(bytes.begin(), bytes.end());
    return std::nullopt;
  }
  void set_last_write_time(const std::string& path, std::uint64_t time) override {
    times[path] = time;
  }
  bool library_present(const std::string& name, const std::string&) override {
    return libraries.count(name) != 0;
  }
  void show_progress(Progress line, const std::string& path) override {
    if (keep_log) note(std::string(progress_text(line)) + " " + path);
  }
  void end_progress() override { note("end"); }
  bool ask_for_disk(const std::string& label, const std::string& drive,
                    const std::string&) override {
    note("disk " + label + " in " + drive);
    if (disk_answers.empty()) return false;
    const bool ok = disk_answers.front();
    disk_answers.pop_front();
    if (ok) {
      for (const auto& [path, bytes] : inserted_disk) files[path] = bytes;
    }
    return ok;
  }
  void create_shortcuts(const InstallHeader& header, const std::string& folder) override {
    if (keep_log) note("shortcut " + header.link_name + " -> " + folder + header.program);
  }

 private:
  void note(std::string line) {
    if (keep_log) log.push_back(std::move(line));
  }
};

}  // namespace payload
