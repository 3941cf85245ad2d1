#include "gridkit/tool_main.hpp"
#include "tools/pinchlay/pinchlay.hpp"

int main(int argc, char** argv) {
  return gridkit::tool_main({pinchlay::run_pinchlay, pinchlay::kHelp}, argc, argv);
}
