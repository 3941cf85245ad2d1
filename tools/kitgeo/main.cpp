// kitgeo: the command line to run_kitgeo.
#include <iostream>

#include "gridkit/entry/program_entry.hpp"
#include "tools/kitgeo/kitgeo.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> args = gridkit::arguments(argc, argv);
  return gridkit::program_main("kitgeo", args, [&] {
    kitgeo::run_kitgeo(args, std::cout, ".");
    return 0;
  });
}
