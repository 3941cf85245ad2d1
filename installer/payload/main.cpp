// setuppack: packs, lists and extracts setup images (see setuppack --help).
#include <iostream>

#include "kit_version.hpp"
#include "installer/payload/pending_files.hpp"
#include "installer/payload/setuppack.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == "--version") {
    std::cout << "setuppack (groundwater model kit) " KIT_VERSION "\n";
    return 0;
  }
  payload::remove_pending_files_on_signals();
  return payload::run_setuppack(args, std::cout, std::cerr, payload::terminal_disk_prompt());
}
