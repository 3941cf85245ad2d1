// One main for BRISKET, its earlier build, BRISKET2 and BRISKET4: the build
// names the program it makes in KIT_PROGRAM.
// The lines below are the same in each folder that builds several programs
// (brisket, plover, tallowin): only the table of its programs differs.
#include <string_view>

#include "gridkit/tool_main.hpp"
#include "tools/brisket/brisket.hpp"

namespace {

constexpr gridkit::Program kPrograms[] = {
    {brisket::run_brisket, brisket::kBrisketHelp},
    {brisket::run_brisket_early, brisket::kBrisketEarlyHelp},
    {brisket::run_brisket2, brisket::kBrisket2Help},
    {brisket::run_brisket4, brisket::kBrisket4Help},
};
static_assert(gridkit::has_program(kPrograms, KIT_PROGRAM),
              "KIT_PROGRAM names no program of this folder");

}  // namespace

int main(int argc, char** argv) {
  return gridkit::tool_main(gridkit::program_named(kPrograms, KIT_PROGRAM), argc, argv);
}
