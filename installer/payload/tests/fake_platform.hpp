// An in-memory platform for the copy phase, and helpers that build payloads
// record by record.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "installer/payload/encode.hpp"
#include "installer/payload/header.hpp"
#include "installer/dcl/implode.hpp"
#include "installer/payload/platform.hpp"

namespace payload::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytes_of(const std::string& text) { return Bytes(text.begin(), text.end()); }

class FakePlatform : public Platform {
 public:
  std::map<std::string, Bytes> files;            // path -> contents
  std::map<std::string, std::uint64_t> times;    // path -> last-write time set
  std::set<std::string> libraries;               // names the system can load
  std::set<std::string> unwritable;              // paths whose creation fails
  std::deque<bool> disk_answers;                 // OK / Cancel, in order; empty: Cancel
  std::map<std::string, Bytes> inserted_disk;    // files that appear on the first OK
  std::vector<std::string> log;                  // progress lines, prompts, shortcuts

  char separator() const override { return '\\'; }
  FileRead read_file(const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end()) return {false, {}, "cannot be opened"};
    return {true, it->second, {}};
  }
  void create_folder(const std::string& path) override { log.push_back("folder " + path); }
  bool file_readable(const std::string& path) override { return files.count(path) != 0; }
  bool write_new_file(const std::string& path, std::span<const std::uint8_t> bytes) override {
    if (unwritable.count(path) != 0) return false;
    files[path] = Bytes(bytes.begin(), bytes.end());
    return true;
  }
  void set_last_write_time(const std::string& path, std::uint64_t time) override { times[path] = time; }
  bool library_present(const std::string& name) override { return libraries.count(name) != 0; }
  void show_progress(Progress line, const std::string& path) override {
    log.push_back(std::string(progress_text(line)) + " " + path);
  }
  void end_progress() override { log.push_back("end"); }
  bool ask_for_disk(const std::string& label, const std::string& drive, const std::string&) override {
    log.push_back("disk " + label + " in " + drive);
    if (disk_answers.empty()) return false;
    const bool ok = disk_answers.front();
    disk_answers.pop_front();
    if (ok) {
      for (const auto& [path, bytes] : inserted_disk) files[path] = bytes;
    }
    return ok;
  }
  void create_shortcuts(const InstallHeader& header, const std::string& folder) override {
    log.push_back("shortcut " + header.link_name + " -> " + folder + header.program);
  }
};

// A record stream under construction.
struct Stream {
  Bytes bytes;

  Stream& file(const std::string& name, const Bytes& content, char condition = '.',
               std::uint64_t time = 0x01D2345678ABCDEFULL, bool personal = false) {
    append_file_record(bytes, personal, condition, name, time,
                       static_cast<std::uint32_t>(content.size()), dcl::implode(content));
    return *this;
  }
  Stream& disk(const std::string& label) { return append_disk_record(bytes, label), *this; }
  Stream& end() { return append_end_record(bytes), *this; }
  Stream& raw(const Bytes& more) { return bytes.insert(bytes.end(), more.begin(), more.end()), *this; }
};

// A setup image: a 64-byte stub, then the header and the stream.
inline Bytes image_of(const InstallHeader& header, const Bytes& stream) {
  Bytes image(64, 0xCC);
  set_payload_offset(image, 64);
  append_header(image, header);
  image.insert(image.end(), stream.begin(), stream.end());
  return image;
}

}  // namespace payload::testing
