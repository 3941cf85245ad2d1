// Feeds arbitrary bytes to the payload loader and the copy phase, which
// installs into an in-memory platform (so a run costs no disk work). Every
// path the copy phase writes must be a plain name inside the install folder.
// Bytes after a 0xFF 0xFE "DAT" marker become the continuation file 2.DAT.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "installer/payload/copy_phase.hpp"
#include "installer/payload/encode.hpp"
#include "installer/payload/header.hpp"
#include "installer/payload/memory_platform.hpp"
#include "installer/payload/records.hpp"

namespace {

constexpr char kFolder[] = "C:\\INSTALL";
constexpr char kSource[] = "A:\\";

// A fixed answer for the library test, so both branches of "?" are taken.
class FuzzPlatform : public payload::MemoryPlatform {
 public:
  bool library_present(const std::string& name, const std::string&) override {
    return name.size() % 2 == 0;
  }
};

// Aborts unless `path` is the install folder, a plain name inside it, or the
// continuation file the input supplied.
void check_inside(const std::string& path) {
  const std::string prefix = std::string(kFolder) + "\\";
  if (path == std::string(kSource) + "2.DAT") return;
  if (path.rfind(prefix, 0) != 0) std::abort();
  if (!payload::name_problem(path.substr(prefix.size())).empty()) std::abort();
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

  FuzzPlatform platform;
  platform.keep_log = false;
  if (!second.empty()) platform.files[std::string(kSource) + "2.DAT"] = second;
  const payload::LoadResult loaded = payload::load_install_header_from(image, "SETUP.EXE", kSource);
  if (loaded.failure) return 0;
  payload::CopySettings settings;
  settings.install_folder = kFolder;
  settings.owner_name = "Owner";
  settings.owner_firm = "Firm";
  settings.option_flag1 = control >> 1 & 1U;
  const auto failure = payload::run_record_stream(loaded.payload, settings, platform);
  if (failure && failure->problem.empty()) std::abort();
  for (const auto& [path, bytes] : platform.files) {
    check_inside(path);
    if (bytes.size() > payload::kMaxFileSize) std::abort();
  }
  for (const auto& [path, time] : platform.times) check_inside(path);
  if (platform.folders.size() > 1 ||
      (platform.folders.size() == 1 && *platform.folders.begin() != kFolder)) {
    std::abort();
  }
  return 0;
}
