#include "gridkit/tool_main.hpp"
#include "tools/plover/plover.hpp"

int main() { return gridkit::tool_main(plover::run_plover_point); }
