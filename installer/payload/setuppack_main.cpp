// setuppack: packs, lists and extracts setup images (see setuppack --help).
#include <iostream>

#include "setuppack.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return payload::run_setuppack(args, std::cout, std::cerr, payload::terminal_disk_prompt());
}
