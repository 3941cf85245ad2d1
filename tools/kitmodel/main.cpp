// kitmodel: the subcommand named first, given the words after it; an error is
// one line on standard error and exit status 2.
#include <csignal>
#include <exception>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "kit_version.hpp"

#include "gridkit/error.hpp"
#include "tools/kitmodel/readback_commands.hpp"

namespace {

constexpr const char* kUsage =
    "usage: kitmodel heads FILE --layer K --out NAME [--period N] [--step N]\n"
    "           a layer of a MODFLOW head file as NAME.GRD and NAME.ARR\n"
    "       kitmodel residuals FILE WELLS.XYZ [--layer K] [--csv OUT.csv]\n"
    "           observed levels against the simulated heads\n"
    "       kitmodel COMMAND --help    more on one command\n";

int run(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (args[0] == "--version") {
    std::cout << "kitmodel (groundwater model kit) " KIT_VERSION "\n";
    return 0;
  }
  const std::span<const std::string> rest(args.data() + 1, args.size() - 1);
  if (args[0] == "heads") {
    kitmodel::heads_command(rest, std::cout, ".");
  } else if (args[0] == "residuals") {
    kitmodel::residuals_command(rest, std::cout, ".");
  } else {
    std::cerr << "kitmodel: unknown command \"" << args[0] << "\" (kitmodel --help lists them)\n";
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // Past a file-size limit a write fails and is reported as an error, with
  // the partial output removed, rather than the process being killed on the
  // spot with its temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  try {
    return run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const gridkit::KitError& e) {
    std::cout.flush();
    std::cerr << e.what() << '\n';
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "kitmodel: " << e.what() << '\n';
  }
  return 2;
}
