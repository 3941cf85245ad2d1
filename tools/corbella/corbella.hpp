// CORBELLA: horizontal and vertical conductivity of one layer from percent
// sand and the conductivities of the sand and of the clay.
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"
#include "gridkit/tool_help.hpp"

namespace corbella {

void run_corbella(gridkit::Console& con, const std::filesystem::path& folder);

// What --help shows: what the program does, its questions in the order the
// dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kHelp{
    "corbella", "Mixes sand and clay conductivities by percent sand (NAME.KH and NAME.KV).",
    "number of columns to process (1 to the grid's columns, 361 on the built-in grid)\n"
    "number of rows to process (1 to the grid's rows, 470 on the built-in grid)\n"
    "output base name\n"
    "horizontal conductivity of the sand\n"
    "horizontal conductivity of the clay\n"
    "vertical conductivity of the sand\n"
    "vertical conductivity of the clay\n"
    "percent sand\n",
    "361 470 LAYER1 KHSAND.EXP KHCLAY.EXP KVSAND.EXP KVCLAY.EXP PSAND.DAT"};

}  // namespace corbella
