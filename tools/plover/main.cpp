// One main for PLOVER (a file of points) and PLOVER-POINT (one point typed at
// the console): the build names the program it makes in KIT_PROGRAM.
// The lines below are the same in each folder that builds several programs
// (brisket, plover, tallowin): only the table of its programs differs.
#include <string_view>

#include "gridkit/tool_main.hpp"
#include "tools/plover/plover.hpp"

namespace {

constexpr gridkit::Program kPrograms[] = {
    {plover::run_plover, plover::kPloverHelp},
    {plover::run_plover_point, plover::kPloverPointHelp},
};
static_assert(gridkit::has_program(kPrograms, KIT_PROGRAM),
              "KIT_PROGRAM names no program of this folder");

}  // namespace

int main(int argc, char** argv) {
  return gridkit::tool_main(gridkit::program_named(kPrograms, KIT_PROGRAM), argc, argv);
}
