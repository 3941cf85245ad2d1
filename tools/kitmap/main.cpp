// kitmap: maps of a prepared model as PNG files. Errors are one line on
// standard error and exit status 2.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/kitmap/kitmap.hpp"

int main(int argc, char** argv) {
  try {
    kitmap::run_kitmap(std::vector<std::string>(argv + 1, argv + argc), ".", std::cout);
    return 0;
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 2;
  }
}
