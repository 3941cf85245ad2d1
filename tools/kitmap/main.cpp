// kitmap: maps of a prepared model as PNG files. Errors are one line on
// standard error and exit status 2.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "kit_version.hpp"

#include "tools/kitmap/canvas.hpp"
#include "tools/kitmap/kitmap.hpp"

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "kitmap (groundwater model kit) " KIT_VERSION "\n";
    return 0;
  }
  int status = 0;
  try {
    kitmap::run_kitmap(std::vector<std::string>(argv + 1, argv + argc), ".", std::cout);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    status = 2;
  }
  kitmap::release_font_caches();
  return status;
}
