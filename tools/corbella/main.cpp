#include "gridkit/tool_main.hpp"
#include "tools/corbella/run_corbella.hpp"

int main(int argc, char** argv) { return gridkit::tool_main(run_corbella, "corbella", argc, argv); }
