// LAYORDER: gives every layer a positive thickness and keeps each layer's top
// below the bottom of the layer over it, inside the operational boundary.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"

namespace layorder {

void run_layorder(gridkit::Console& con, const std::filesystem::path& folder);

}  // namespace layorder
