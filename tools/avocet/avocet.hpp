// AVOCET: one latitude and west longitude from the console to CRSTM X and Y,
// with the intermediate quantities of the conversion printed one per line so
// that a hand computation can be checked against them.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"

namespace avocet {

void run_avocet(gridkit::Console& con, const std::filesystem::path& folder);

}  // namespace avocet
