#include "gridkit/tool_main.hpp"
#include "tools/layorder/run_layorder.hpp"

int main() { return gridkit::tool_main(run_layorder); }
