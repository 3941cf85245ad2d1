#include "gridkit/tool_main.hpp"
#include "tools/plover/plover.hpp"

int main(int argc, char** argv) { return gridkit::tool_main(plover::run_plover_point, "plover-point", argc, argv); }
