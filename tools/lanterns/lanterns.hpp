// LANTERNS: digitizer points (".xyz") to CRSTM points (".OUT").
#pragma once

#include <filesystem>
#include <iosfwd>

#include "gridkit/console.hpp"

namespace lanterns {

// The run, with lines it cannot read reported on standard error.
void run_lanterns(gridkit::Console& con, const std::filesystem::path& folder);

// The same run with those reports going to `report`.
void convert_points(gridkit::Console& con, const std::filesystem::path& folder,
                    std::ostream& report);

}  // namespace lanterns
