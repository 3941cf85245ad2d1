#include "gridkit/tool_main.hpp"
#include "tools/corbella/corbella.hpp"

int main(int argc, char** argv) {
  return gridkit::tool_main({corbella::run_corbella, corbella::kHelp}, argc, argv);
}
