#include "gridkit/tool_main.hpp"
#include "tools/brisket/family.hpp"

int main(int argc, char** argv) { return gridkit::tool_main(brisket::run_brisket2, "brisket2", argc, argv); }
