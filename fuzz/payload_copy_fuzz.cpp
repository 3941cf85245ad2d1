// Feeds arbitrary bytes to the payload loader and the copy phase, which
// installs into a scratch folder through the POSIX platform. Every path the
// copy phase writes must be a plain name inside that folder. Bytes after a
// 0xFF 0xFE "DAT" marker become the continuation file 2.DAT.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "installer/payload/copy_phase.hpp"
#include "installer/payload/encode.hpp"
#include "installer/payload/header.hpp"
#include "installer/payload/posix_platform.hpp"

namespace {

namespace fs = std::filesystem;

// The POSIX platform with every write checked against the scratch folder, a
// fixed answer for the library test, and no disk ever inserted.
class ScratchPlatform : public payload::PosixPlatform {
 public:
  ScratchPlatform(std::ostream& log, std::string folder)
      : PosixPlatform(log, nullptr), folder_(std::move(folder)) {}

  void create_folder(const std::string& path) override {
    if (path != folder_) std::abort();
    PosixPlatform::create_folder(path);
  }
  bool write_new_file(const std::string& path, std::span<const std::uint8_t> bytes) override {
    check(path);
    return PosixPlatform::write_new_file(path, bytes);
  }
  void set_last_write_time(const std::string& path, std::uint64_t time) override {
    check(path);
    PosixPlatform::set_last_write_time(path, time);
  }
  bool library_present(const std::string& name) override { return name.size() % 2 == 0; }

 private:
  void check(const std::string& path) const {
    if (path.rfind(folder_ + "/", 0) != 0) std::abort();
    const std::string name = path.substr(folder_.size() + 1);
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) std::abort();
  }
  std::string folder_;
};

// The scratch folder, removed when the process ends.
// Memory-backed when the system has /dev/shm: every run creates and removes
// files, which a disk file system makes wait on its journal.
struct Scratch {
  fs::path root = (::access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                  ("payload_fuzz_" + std::to_string(::getpid()));
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

const fs::path& scratch() {
  static const Scratch folder;
  return folder.root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  std::vector<std::uint8_t> rest(data + 1, data + size);
  static const std::uint8_t kMarker[] = {0xFF, 0xFE, 'D', 'A', 'T'};
  std::vector<std::uint8_t> second;
  const auto split = std::search(rest.begin(), rest.end(), std::begin(kMarker), std::end(kMarker));
  if (split != rest.end()) {
    second.assign(split + sizeof kMarker, rest.end());
    rest.erase(split, rest.end());
  }

  // Bit 0 set: the bytes are the whole image; else a 32-byte stub goes first.
  std::vector<std::uint8_t> image;
  if ((control & 1) != 0) {
    image = rest;
  } else {
    image.assign(32, 0);
    payload::set_payload_offset(image, 32);
    image.insert(image.end(), rest.begin(), rest.end());
  }

  // The folders are made once; each run starts from an empty install folder
  // and the 2.DAT of this input, if any.
  const fs::path root = scratch();
  const fs::path install = root / "install";
  std::error_code ec;
  if (fs::exists(install, ec)) fs::remove_all(install, ec);
  fs::create_directories(root / "source");
  const fs::path dat = root / "source" / "2.DAT";
  fs::remove(dat, ec);
  if (!second.empty()) {
    std::ofstream(dat, std::ios::binary)
        .write(reinterpret_cast<const char*>(second.data()), static_cast<std::streamsize>(second.size()));
  }
  const std::string folder = install.string();
  std::ostringstream log;
  ScratchPlatform platform(log, folder);
  const payload::LoadResult loaded =
      payload::load_install_header_from(image, "SETUP.EXE", (root / "source").string() + "/");
  if (loaded.failure) return 0;
  payload::CopySettings settings;
  settings.install_folder = folder;
  settings.owner_name = "Owner";
  settings.owner_firm = "Firm";
  settings.option_flag1 = control >> 1 & 1U;
  const auto failure = payload::run_record_stream(loaded.payload, settings, platform);
  if (failure && failure->problem.empty()) std::abort();
  // Nothing may appear beside the install and source folders.
  for (const auto& entry : fs::directory_iterator(root)) {
    const std::string name = entry.path().filename().string();
    if (name != "install" && name != "source") std::abort();
  }
  return 0;
}
