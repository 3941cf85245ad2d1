// HERON2: rebuilds a MODFLOW river package by tracing the river cells of an
// existing one into segments, with stages falling by reach, bottoms 2.3
// below the stages and conductances by stream order.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"

namespace heron2 {

void run_heron2(gridkit::Console& con, const std::filesystem::path& folder);

}  // namespace heron2
