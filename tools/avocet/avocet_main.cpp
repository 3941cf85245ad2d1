#include "gridkit/tool_main.hpp"
#include "tools/avocet/avocet.hpp"

int main() { return gridkit::tool_main(avocet::run_avocet); }
