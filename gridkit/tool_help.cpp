#include "gridkit/tool_help.hpp"

#include <array>

namespace gridkit {

namespace {

// BRISKET and its earlier build ask the same questions.
constexpr const char* kBrisketQuestions =
    "IBOUND array\n"
    "CRSTM X,Y,Z point file\n"
    "first 8 characters of the output name (NAME.BSK and NAME.GRD are written)\n"
    "maximum number of sweeps\n"
    "convergence limit (largest change of a sweep)\n";

// Kept in the order of the README's sections.
constexpr std::array kTools{
    ToolHelp{"tallowin",
             "Writes a real array as a Surfer DSAA text grid, inactive cells as 0.0.",
             "input file, a real array in free format (first 12 characters)\n"
             "IBOUND array (first 12 characters)\n",
             "TRANSMI1.DAT IBOUND.ARR"},
    ToolHelp{"tallowex", "Writes a real array as a Surfer DSAA text grid, as read.",
             "input file, a real array in free format (first 12 characters)\n",
             "TRANSMI1.DAT"},
    ToolHelp{"plover",
             "Converts a CRSTM X,Y,Z point file to latitude and longitude in GEO.OUT.",
             "CRSTM X,Y,Z point file (first 40 characters)\n", "WELLS.XYZ"},
    ToolHelp{"plover-point",
             "Converts one CRSTM X,Y to latitude and longitude west in decimal degrees.",
             "X and Y (both in one answer, or one answer each)\n", "\"420622.07 289659.31\""},
    ToolHelp{"avocet",
             "Converts one latitude and longitude west to CRSTM X,Y; asks without a prompt.",
             "latitude and longitude west in degrees (both in one answer, or one each)\n",
             "43.5,85.25"},
    ToolHelp{"heron2",
             "Rebuilds a MODFLOW river package by tracing the river network cell by cell.",
             "input river package file (first 40 characters)\n"
             "IBOUND array (first 40 characters)\n"
             "output base name NAME (NAME.STG, NAME.FL1-3, NAME.OR1-3 beside NEWRIVER.RIV)\n",
             "RIVER.RIV IBOUND.ARR RIVNET"},
    ToolHelp{"brisket",
             "Grids scattered CRSTM X,Y,Z points inside an IBOUND array by relaxation.",
             kBrisketQuestions,
             "IBOUND.ARR WLPOINTS.XYZ WLEVEL 4000 0.001"},
    ToolHelp{"brisket-early",
             "The earlier build of brisket: start value 1000.0, sweeps over every node.",
             kBrisketQuestions,
             "IBOUND.ARR WLPOINTS.XYZ WLEVEL 4000 0.001"},
    ToolHelp{"brisket2", "Smooths a real grid (.BSK layout) inside an IBOUND array by relaxation.",
             "IBOUND array\n"
             "input grid file, 10 values of 8 columns to a line\n"
             "first 8 characters of the output name (NAME.BSK and NAME.GRD are written)\n"
             "maximum number of sweeps\n"
             "convergence limit (largest change of a sweep)\n",
             "IBOUND.ARR WLEVEL.BSK WLSMOOTH 4000 0.001"},
    ToolHelp{"brisket4",
             "Grids points over a starting grid, holding the nodes marked -1, by relaxation.",
             "IBOUND array of the active area\n"
             "integer array marking the nodes to hold with -1\n"
             "starting grid (matrix) file\n"
             "CRSTM X,Y,Z point file\n"
             "first 8 characters of the output name (NAME.BSK and NAME.GRD are written)\n"
             "maximum number of sweeps\n"
             "convergence limit (largest change of a sweep)\n",
             "IBOUND.ARR WLHELD.ARR WLEVEL.BSK WLNEW.XYZ WLRESEED 4000 0.001"},
    ToolHelp{"lanterns", "Converts digitizer tablet points (NAME.xyz) to CRSTM points (NAME.OUT).",
             "base name of the .xyz file (first 8 characters)\n", "BASIN"},
    ToolHelp{"quarrypit",
             "Turns closed curves into a zone array (NAME.BOL) and BOUNDARY.FIL.",
             "closed-curve CRSTM point file (first 40 characters)\n"
             "first 8 characters of the output name (NAME.BOL is written)\n"
             "integer value of the curve's interior\n"
             "another curve? Y or N; after Y, that curve's file and interior value\n",
             "BASIN.OUT ZONES 1 Y LAKE.OUT -1 N"},
    ToolHelp{"pinchlay", "Pinches layers out under an unconformity (NAME.DAT in, NAME.UNC out).",
             "structural top of the unconformity, a real array\n"
             "IBOUND array of the first layer the unconformity pinches out\n"
             "number of that layer (2 or 3)\n"
             "base names of the tops and bottoms of layers 1 to 4, top 1 first (eight answers)\n",
             "UNCONF.DAT PINCH.ARR 2 TOP1 BOT1 TOP2 BOT2 TOP3 BOT3 TOP4 BOT4"},
    ToolHelp{"layorder",
             "Repairs layer order inside the operational boundary (NAME.DAT in, NAME.MOD out).",
             "base names of the tops and bottoms of layers 1 to 4, top 1 first (eight answers)\n"
             "operational boundary IBOUND array\n",
             "TOP1 BOT1 TOP2 BOT2 TOP3 BOT3 TOP4 BOT4 IBOUND.ARR"},
    ToolHelp{"corbella",
             "Mixes sand and clay conductivities by percent sand (NAME.KH and NAME.KV).",
             "number of columns to process (1 to 361)\n"
             "number of rows to process (1 to 470)\n"
             "output base name\n"
             "horizontal conductivity of the sand\n"
             "horizontal conductivity of the clay\n"
             "vertical conductivity of the sand\n"
             "vertical conductivity of the clay\n"
             "percent sand\n",
             "361 470 LAYER1 KHSAND.EXP KHCLAY.EXP KVSAND.EXP KVCLAY.EXP PSAND.DAT"},
};

}  // namespace

const ToolHelp* find_tool_help(std::string_view name) {
  for (const ToolHelp& help : kTools) {
    if (help.name == name) return &help;
  }
  return nullptr;
}

std::span<const ToolHelp> all_tool_help() { return kTools; }

std::string help_text(const ToolHelp& help) {
  const std::string name(help.name);
  std::string text = "Usage: " + name + " [--help | --version] [--] [ANSWER]...\n";
  text += std::string(help.summary) + "\n\nQuestions, in the order they are asked:\n";
  const std::string_view questions = help.questions;
  int number = 0;
  for (std::size_t start = 0; start < questions.size();) {
    const std::size_t end = questions.find('\n', start);
    text += "  " + std::to_string(++number) + ". " + std::string(questions.substr(start, end - start)) + "\n";
    start = end + 1;
  }
  text +=
      "\n"
      "Each ANSWER answers the next question, as a line typed at the console\n"
      "would; the console is asked for the rest. The transcript shows each\n"
      "command-line answer on its own line after its question.\n"
      "\n"
      "  --help      show this help and exit\n"
      "  --version   show the version and exit\n"
      "  --          end of the options: what follows are answers\n"
      "\n"
      "Example: " + name + " " + std::string(help.example) + "\n"
      "Exit status: 0 after a normal run, 2 after an error (one line on\n"
      "standard error). The manual page: man " + name + "\n";
  return text;
}

}  // namespace gridkit
