// LAYORDER: gives every layer a positive thickness and keeps each layer's top
// below the bottom of the layer over it, inside the operational boundary.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"
#include "gridkit/tool_help.hpp"

namespace layorder {

void run_layorder(gridkit::Console& con, const std::filesystem::path& folder);

// What --help shows: what the program does, its questions in the order the
// dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kHelp{
    "layorder", "Repairs layer order inside the operational boundary (NAME.DAT in, NAME.MOD out).",
    "base names of the tops and bottoms of layers 1 to 4, top 1 first (eight answers)\n"
    "operational boundary IBOUND array\n",
    "TOP1 BOT1 TOP2 BOT2 TOP3 BOT3 TOP4 BOT4 IBOUND.ARR"};

}  // namespace layorder
