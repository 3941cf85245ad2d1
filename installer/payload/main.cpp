// setuppack: packs, lists and extracts setup images (see setuppack --help).
#include <iostream>

#include "gridkit/entry/program_entry.hpp"
#include "installer/payload/setuppack.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> args = gridkit::arguments(argc, argv);
  return payload::run_setuppack(args, std::cout, std::cerr, payload::terminal_disk_prompt());
}
