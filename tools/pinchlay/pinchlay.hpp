// PINCHLAY: rewrites the layer tops and bottoms where an unconformity cuts the
// layers off (wherever the pinch IBOUND of the first pinched layer is 0).
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"

namespace pinchlay {

void run_pinchlay(gridkit::Console& con, const std::filesystem::path& folder);

}  // namespace pinchlay
