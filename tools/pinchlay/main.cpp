#include "gridkit/tool_main.hpp"
#include "tools/pinchlay/run_pinchlay.hpp"

int main() { return gridkit::tool_main(run_pinchlay); }
