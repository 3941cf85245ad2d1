// kitmodel: MODFLOW models from the kit's arrays, and their results read back.
// Errors are one line on standard error and exit status 2.
#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "kit_version.hpp"

#include "tools/kitmodel/kitmodel.hpp"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // Past a file-size limit a write fails and is reported as an error, with
  // the partial output removed, rather than the process being killed on the
  // spot with its temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "kitmodel (groundwater model kit) " KIT_VERSION "\n";
    return 0;
  }
  try {
    return kitmodel::run_kitmodel(std::vector<std::string>(argv + 1, argv + argc), ".", std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "kitmodel: " << e.what() << '\n';
    return 2;
  }
}
