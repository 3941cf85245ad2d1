#include "gridkit/tool_main.hpp"
#include "tools/layorder/run_layorder.hpp"

int main(int argc, char** argv) { return gridkit::tool_main(run_layorder, "layorder", argc, argv); }
