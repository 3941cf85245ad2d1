// CORBELLA: horizontal and vertical conductivity of one layer from percent
// sand and the conductivities of the sand and of the clay.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"

namespace corbella {

void run_corbella(gridkit::Console& con, const std::filesystem::path& folder);

}  // namespace corbella
