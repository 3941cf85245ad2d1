// kitmap: maps of a prepared model as PNG files.
#include <iostream>

#include "gridkit/entry/program_entry.hpp"
#include "tools/kitmap/canvas.hpp"
#include "tools/kitmap/kitmap.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> args = gridkit::arguments(argc, argv);
  const int status = gridkit::program_main("kitmap", args, [&] {
    kitmap::run_kitmap(args, ".", std::cout);
    return 0;
  });
  kitmap::release_font_caches();
  return status;
}
