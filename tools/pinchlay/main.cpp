#include "gridkit/tool_main.hpp"
#include "tools/pinchlay/run_pinchlay.hpp"

int main(int argc, char** argv) { return gridkit::tool_main(run_pinchlay, "pinchlay", argc, argv); }
