#include "gridkit/tool_main.hpp"
#include "tools/tallowin/tallow.hpp"

int main() { return gridkit::tool_main(tallow::run_tallowin); }
