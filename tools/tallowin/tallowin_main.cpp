#include "gridkit/tool_main.hpp"
#include "tools/tallowin/tallow.hpp"

int main(int argc, char** argv) { return gridkit::tool_main(tallow::run_tallowin, "tallowin", argc, argv); }
