#include "gridkit/tool_main.hpp"
#include "tools/quarrypit/quarrypit.hpp"

int main() { return gridkit::tool_main(quarrypit::run_quarrypit); }
