// `kitmodel write` and `kitmodel check`.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kitmodel {

extern const char* const kWriteUsage;
extern const char* const kCheckUsage;

// Each returns the exit status: 0, kFindingsStatus when a check fails; a
// file that cannot be read or written is a KitError.
int run_write(const std::vector<std::string>& args, const std::filesystem::path& folder,
              std::ostream& out);
int run_check(const std::vector<std::string>& args, const std::filesystem::path& folder,
              std::ostream& out);

}  // namespace kitmodel
