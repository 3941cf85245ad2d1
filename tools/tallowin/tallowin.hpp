// TALLOWIN and TALLOWEX: a real array of the model grid exported as a Surfer
// text grid. TALLOWIN also reads the IBOUND array and writes inactive cells
// as 0.0; TALLOWEX writes the array as read.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"

namespace tallowin {

void run_tallowin(gridkit::Console& con, const std::filesystem::path& folder);
void run_tallowex(gridkit::Console& con, const std::filesystem::path& folder);

}  // namespace tallowin
