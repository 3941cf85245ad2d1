#include "gridkit/tool_main.hpp"
#include "tools/lanterns/lanterns.hpp"

int main(int argc, char** argv) {
  return gridkit::tool_main({lanterns::run_lanterns, lanterns::kHelp}, argc, argv);
}
