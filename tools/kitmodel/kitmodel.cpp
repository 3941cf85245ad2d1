#include "tools/kitmodel/kitmodel.hpp"

#include <ostream>

#include "gridkit/error.hpp"
#include "gridkit/grid_file.hpp"
#include "tools/kitmodel/model_commands.hpp"
#include "tools/kitmodel/readback_commands.hpp"

namespace kitmodel {
namespace {

const char* const kUsage =
    "usage: kitmodel write MODEL.toml [--out DIR]   MODFLOW 6 and MODFLOW-2005 models\n"
    "       kitmodel check MODEL.toml               the model's checks alone\n"
    "       kitmodel heads FILE --layer K --out NAME [--period N] [--step N]\n"
    "                                               a layer of a head file as NAME.GRD and NAME.ARR\n"
    "       kitmodel residuals FILE WELLS.XYZ [--layer K] [--csv OUT.csv]\n"
    "                                               observed levels against simulated heads\n"
    "kitmodel SUBCOMMAND --help tells more.\n";

using Run = int (*)(const std::vector<std::string>&, const std::filesystem::path&, std::ostream&);

struct Subcommand {
  const char* name;
  std::string (*usage)();
  Run run;
};

std::string write_usage() { return kWriteUsage; }
std::string check_usage() { return kCheckUsage; }
std::string heads_usage() { return std::string(heads_help()); }

int run_heads(const std::vector<std::string>& args, const std::filesystem::path& folder, std::ostream& out) {
  heads_command(args, out, folder);
  return 0;
}

int run_residuals(const std::vector<std::string>& args, const std::filesystem::path& folder, std::ostream& out) {
  residuals_command(args, out, folder);
  return 0;
}

const Subcommand kSubcommands[] = {
    {"write", write_usage, run_write},
    {"check", check_usage, run_check},
    {"heads", heads_usage, run_heads},
    {"residuals", residuals_help, run_residuals},
};

}  // namespace

int run_kitmodel(const std::vector<std::string>& args, const std::filesystem::path& folder, std::ostream& out,
                 std::ostream& err) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    (args.empty() ? err : out) << kUsage;
    return args.empty() ? 2 : 0;
  }
  for (const Subcommand& sub : kSubcommands) {
    if (args[0] != sub.name) continue;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
      // The folder's grid, which some help texts name too.
      const gridkit::RunGrid grid(folder);
      for (const std::string& a : rest) {
        if (a == "--help" || a == "-h") {
          out << sub.usage();
          return 0;
        }
      }
      return sub.run(rest, folder, out);
    } catch (const gridkit::KitError& e) {
      out.flush();
      err << e.what() << '\n';
      return 2;
    }
  }
  err << "kitmodel: unknown subcommand \"" << args[0] << "\" (kitmodel --help lists them)\n";
  return 2;
}

}  // namespace kitmodel
