// `setuppack`: packs a setup image from a manifest, lists one, or runs its
// copy phase natively into a folder.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "installer/payload/posix_platform.hpp"

namespace payload {

// Runs one command line (without the program name). Listings go to `out`,
// progress lines and errors to `err`; a missing continuation file during
// `extract` is asked for through `ask_disk`. Returns the exit status: 0, or 2
// after one line on `err` (the kit's program entry, with --version).
int run_setuppack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const PosixPlatform::DiskPrompt& ask_disk);

}  // namespace payload
