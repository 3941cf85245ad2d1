#include "gridkit/tool_main.hpp"
#include "tools/quarrypit/quarrypit.hpp"

int main(int argc, char** argv) {
  return gridkit::tool_main({quarrypit::run_quarrypit, quarrypit::kHelp}, argc, argv);
}
