#include "gridkit/tool_main.hpp"
#include "heron2/heron2.hpp"

int main() { return gridkit::tool_main(heron2::run_heron2); }
