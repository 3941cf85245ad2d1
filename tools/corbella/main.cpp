#include "gridkit/tool_main.hpp"
#include "tools/corbella/run_corbella.hpp"

int main() { return gridkit::tool_main(run_corbella); }
