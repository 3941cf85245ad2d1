#include "gridkit/tool_main.hpp"
#include "tools/layorder/layorder.hpp"

int main(int argc, char** argv) {
  return gridkit::tool_main({layorder::run_layorder, layorder::kHelp}, argc, argv);
}
