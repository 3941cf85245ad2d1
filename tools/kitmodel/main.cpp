// kitmodel: MODFLOW models from the kit's arrays, and their results read back.
#include <csignal>
#include <iostream>

#include "gridkit/entry/program_entry.hpp"
#include "tools/kitmodel/kitmodel.hpp"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // Past a file-size limit a write fails and is reported as an error, with
  // the partial output removed, rather than the process being killed on the
  // spot with its temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  const std::vector<std::string> args = gridkit::arguments(argc, argv);
  return kitmodel::run_kitmodel(args, ".", std::cout, std::cerr);
}
