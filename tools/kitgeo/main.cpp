// kitgeo: the command line to run_kitgeo; an error is one line on standard
// error and exit status 2.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "kit_version.hpp"

#include "gridkit/error.hpp"
#include "tools/kitgeo/kitgeo.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == "--version") {
    std::cout << "kitgeo (groundwater model kit) " KIT_VERSION "\n";
    return 0;
  }
  try {
    kitgeo::run_kitgeo(args, std::cout, ".");
    return 0;
  } catch (const gridkit::KitError& e) {
    std::cout.flush();
    std::cerr << e.what() << '\n';
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "kitgeo: " << e.what() << '\n';
  }
  return 2;
}
