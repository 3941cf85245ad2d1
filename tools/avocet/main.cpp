#include "gridkit/tool_main.hpp"
#include "tools/avocet/avocet.hpp"

int main(int argc, char** argv) {
  return gridkit::tool_main({avocet::run_avocet, avocet::kHelp}, argc, argv);
}
