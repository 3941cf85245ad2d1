#include "installer/payload/output_check.hpp"

#include <sys/stat.h>

#include <sstream>

#include "installer/payload/failure.hpp"
#include "installer/payload/header.hpp"
#include "installer/payload/manifest.hpp"
#include "installer/payload/pack.hpp"
#include "installer/payload/posix_platform.hpp"
#include "installer/payload/stream_walk.hpp"

namespace payload {

namespace {

std::string quoted(const std::filesystem::path& path) { return "\"" + shown(path.string()) + "\""; }

bool same_file(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::set<int> reached_continuations(const std::filesystem::path& image) {
  std::set<int> reached;
  std::ostringstream quiet;
  PosixPlatform platform(quiet, nullptr);
  const std::string parent = image.parent_path().string();
  const LoadResult loaded =
      load_install_header(platform, image.string(), parent.empty() ? "" : parent + "/");
  if (loaded.failure) return reached;
  walk_stream(loaded.payload, platform, [&](const StreamStep& step) {
    if (!step.continuation.empty())
      reached.insert(step.continuation[step.continuation.size() - 5] - '0');
  });
  return reached;
}

void check_pack_outputs(const std::filesystem::path& out, std::size_t continuations,
                        const std::vector<PackInput>& inputs, bool force) {
  std::vector<std::filesystem::path> outputs{out};
  for (std::size_t i = 0; i < continuations; ++i) outputs.push_back(continuation_path(out, i));
  for (const auto& output : outputs) {
    struct stat written {};
    if (::stat(output.c_str(), &written) != 0) continue;
    for (const PackInput& input : inputs) {
      struct stat read {};
      if (::stat(input.path.c_str(), &read) == 0 && same_file(written, read)) {
        throw PackError("cannot write " + quoted(output) + ": it is the same file as the " +
                        input.what + " " + quoted(input.path));
      }
    }
  }
  if (force) return;
  const std::set<int> reached = reached_continuations(out);
  for (std::size_t i = 0; i < continuations; ++i) {
    const std::filesystem::path path = continuation_path(out, i);
    std::error_code ec;
    if (std::filesystem::symlink_status(path, ec).type() == std::filesystem::file_type::not_found)
      continue;
    if (reached.count(static_cast<int>(i) + 2) == 0) {
      throw PackError(quoted(path) + " exists and is not a continuation file of " + quoted(out) +
                      "; nothing was written (--force replaces it)");
    }
  }
}

}  // namespace payload
