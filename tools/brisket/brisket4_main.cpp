#include "gridkit/tool_main.hpp"
#include "tools/brisket/family.hpp"

int main() { return gridkit::tool_main(brisket::run_brisket4); }
