// kitmodel: MODFLOW models from the kit's arrays, and their results read back.
#include <iostream>

#include "gridkit/entry/program_entry.hpp"
#include "tools/kitmodel/kitmodel.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> args = gridkit::arguments(argc, argv);
  return kitmodel::run_kitmodel(args, ".", std::cout, std::cerr);
}
