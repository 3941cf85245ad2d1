#include "tools/kitmodel/kitmodel.hpp"

#include <ostream>

#include "gridkit/entry/options.hpp"
#include "gridkit/entry/program_entry.hpp"
#include "gridkit/grid_file.hpp"
#include "tools/kitmodel/model_commands.hpp"
#include "tools/kitmodel/readback_commands.hpp"

namespace kitmodel {
namespace {

const char* const kUsage =
    "usage: kitmodel write MODEL.toml [--out DIR]   MODFLOW 6 and MODFLOW-2005 models\n"
    "       kitmodel check MODEL.toml               the model's checks alone\n"
    "       kitmodel heads FILE --layer K --out NAME [--period N] [--step N]\n"
    "                                               a layer of a head file as NAME.GRD and "
    "NAME.ARR\n"
    "       kitmodel residuals FILE WELLS.XYZ [--layer K] [--csv OUT.csv]\n"
    "                                               observed levels against simulated heads\n"
    "kitmodel SUBCOMMAND --help tells more.\n";

using Run = int (*)(const std::vector<std::string>&, const std::filesystem::path&, std::ostream&);

struct Subcommand {
  std::string_view name;
  Run run;
};

int run_heads(const std::vector<std::string>& args, const std::filesystem::path& folder,
              std::ostream& out) {
  heads_command(args, out, folder);
  return 0;
}

int run_residuals(const std::vector<std::string>& args, const std::filesystem::path& folder,
                  std::ostream& out) {
  residuals_command(args, out, folder);
  return 0;
}

const Subcommand kSubcommands[] = {
    {"write", run_write},
    {"check", run_check},
    {"heads", run_heads},
    {"residuals", run_residuals},
};

}  // namespace

int run_kitmodel(const std::vector<std::string>& args, const std::filesystem::path& folder,
                 std::ostream& out, std::ostream& err) {
  return gridkit::run_program("kitmodel", args, out, err, [&] {
    if (args.empty() || gridkit::asks_for_help(args)) {
      (args.empty() ? err : out) << kUsage;
      return args.empty() ? 2 : 0;
    }
    const Subcommand& sub = gridkit::pick_command(kSubcommands, args, "subcommand");
    // The folder's grid, which some help texts name too.
    const gridkit::RunGrid grid(folder);
    return sub.run(std::vector<std::string>(args.begin() + 1, args.end()), folder, out);
  });
}

}  // namespace kitmodel
