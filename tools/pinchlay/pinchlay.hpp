// PINCHLAY: rewrites the layer tops and bottoms where an unconformity cuts the
// layers off (wherever the pinch IBOUND of the first pinched layer is 0).
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"
#include "gridkit/tool_help.hpp"

namespace pinchlay {

void run_pinchlay(gridkit::Console& con, const std::filesystem::path& folder);

// What --help shows: what the program does, its questions in the order the
// dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kHelp{
    "pinchlay", "Pinches layers out under an unconformity (NAME.DAT in, NAME.UNC out).",
    "structural top of the unconformity, a real array\n"
    "IBOUND array of the first layer the unconformity pinches out\n"
    "number of that layer (2 or 3)\n"
    "base names of the tops and bottoms of layers 1 to 4, top 1 first (eight answers)\n",
    "UNCONF.DAT PINCH.ARR 2 TOP1 BOT1 TOP2 BOT2 TOP3 BOT3 TOP4 BOT4"};

}  // namespace pinchlay
