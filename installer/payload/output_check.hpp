// What `setuppack pack` checks before it writes anything: that no output
// is one of its inputs, and that the continuation files it would replace
// belong to the image it replaces.
#pragma once

#include <cstddef>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace payload {

struct PackInput {
  std::string what;  // "setup program", "manifest", "source of line 7"
  std::filesystem::path path;
};

// The continuation files ("2.DAT" is 2) that the stream of the setup image
// at `image` reaches; none when it is missing or not a setup image.
std::set<int> reached_continuations(const std::filesystem::path& image);

// Throws PackError naming the file when OUT or one of its `continuations`
// continuation files is the same file as an input, or when an existing
// continuation file would be replaced that the stream of an existing OUT
// does not reach (unless `force`).
void check_pack_outputs(const std::filesystem::path& out, std::size_t continuations,
                        const std::vector<PackInput>& inputs, bool force);

}  // namespace payload
