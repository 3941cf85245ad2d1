#include "gridkit/tool_main.hpp"
#include "tools/lanterns/lanterns.hpp"

int main() { return gridkit::tool_main(lanterns::run_lanterns); }
