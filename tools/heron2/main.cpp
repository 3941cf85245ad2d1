#include "gridkit/tool_main.hpp"
#include "tools/heron2/heron2.hpp"

int main(int argc, char** argv) {
  return gridkit::tool_main({heron2::run_heron2, heron2::kHelp}, argc, argv);
}
