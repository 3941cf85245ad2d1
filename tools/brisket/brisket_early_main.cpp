#include "gridkit/tool_main.hpp"
#include "tools/brisket/family.hpp"

int main(int argc, char** argv) { return gridkit::tool_main(brisket::run_brisket_early, "brisket-early", argc, argv); }
