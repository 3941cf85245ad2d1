#include "tools/kitmodel/model_commands.hpp"

#include <algorithm>
#include <ostream>
#include <system_error>

#include "gridkit/entry/options.hpp"
#include "gridkit/error.hpp"
#include "tools/kitmodel/command_words.hpp"
#include "tools/kitmodel/kitmodel.hpp"
#include "tools/kitmodel/model_plan.hpp"
#include "tools/kitmodel/model_writer.hpp"

namespace kitmodel {

const char* const kWriteUsage =
    "usage: kitmodel write MODEL.toml [--out DIR]\n"
    "Checks the model MODEL.toml describes and writes it for MODFLOW 6 in DIR/mf6\n"
    "and for MODFLOW-2005 in DIR/mf2005 (DIR: the folder of MODEL.toml). Nothing\n"
    "is written when a check finds an error (exit status 1).\n";

const char* const kCheckUsage =
    "usage: kitmodel check MODEL.toml\n"
    "Checks the model MODEL.toml describes; one line per finding. Exit status 0:\n"
    "warnings and notes only; 1: a finding that would stop MODFLOW 6 or make the\n"
    "model wrong; 2: an input that cannot be read.\n";

namespace {

using gridkit::KitError;

// At most this many lines of one rule; a count stands for the rest.
constexpr int kLinesPerRule = 20;

std::filesystem::path under(const std::filesystem::path& folder, const std::string& name) {
  const std::filesystem::path p(name);
  return p.is_absolute() ? p : folder / p;
}

struct Checked {
  ModelFile model;
  ModelInputs inputs;
  ModelPlan plan;
};

Checked read_and_check(const std::filesystem::path& description, std::ostream& out) {
  Checked c{read_model_file(description), {}, {}};
  c.inputs = read_model_inputs(c.model);
  c.plan = plan_model(c.inputs);
  for (const std::string& line : finding_lines(c.plan.findings, kLinesPerRule)) out << line << '\n';
  int counts[3] = {0, 0, 0};
  for (const Finding& f : c.plan.findings) ++counts[static_cast<int>(f.severity)];
  out << c.model.name << ": " << counts[2] << " errors, " << counts[1] << " warnings, " << counts[0]
      << " notes";
  long pinched = 0;
  for (const auto& layer : c.plan.cells)
    pinched += std::count(layer.values().begin(), layer.values().end(), CellState::Pinched);
  if (pinched > 0) out << " (" << pinched << " pinched cells pass flow vertically)";
  if (c.plan.junction_repeats > 0)
    out << " (" << c.plan.junction_repeats
        << " more reaches where river branches meet in one cell)";
  out << '\n';
  return c;
}

}  // namespace

int run_check(const std::vector<std::string>& args, const std::filesystem::path& folder,
              std::ostream& out) {
  const auto options = command_options(args, {}, "kitmodel check", kCheckUsage, out);
  if (!options) return 0;
  if (options->words.size() != 1)
    throw gridkit::UsageError("give one MODEL.toml", "kitmodel check");
  const Checked c = read_and_check(under(folder, options->words[0]), out);
  return c.plan.has_errors() ? kFindingsStatus : 0;
}

int run_write(const std::vector<std::string>& args, const std::filesystem::path& folder,
              std::ostream& out) {
  const auto options = command_options(args, {{"--out"}}, "kitmodel write", kWriteUsage, out);
  if (!options) return 0;
  if (options->words.empty()) throw gridkit::UsageError("give a MODEL.toml", "kitmodel write");
  if (options->words.size() > 1)
    throw gridkit::UsageError("one MODEL.toml only, not also " + options->words[1],
                              "kitmodel write");
  const std::string& description = options->words[0];
  const std::string out_dir = options->value("--out").value_or("");
  const Checked c = read_and_check(under(folder, description), out);
  if (c.plan.has_errors()) {
    out << "nothing written: the model has errors\n";
    return kFindingsStatus;
  }
  const std::filesystem::path target = out_dir.empty() ? c.model.folder : under(folder, out_dir);
  try {
    const std::vector<std::string> mf6 = write_mf6(c.model, c.inputs, c.plan, target);
    const std::vector<std::string> mf2005 = write_mf2005(c.model, c.inputs, c.plan, target);
    const std::string mf6_dir = (target / "mf6").lexically_normal().string();
    const std::string mf2005_dir = (target / "mf2005").lexically_normal().string();
    out << "MODFLOW 6:    " << mf6_dir << " (" << mf6.size() << " files; run: cd " << mf6_dir
        << " && mf6)\n";
    out << "MODFLOW-2005: " << mf2005_dir << " (" << mf2005.size() << " files; run: cd "
        << mf2005_dir << " && mf2005 " << c.model.name << ".nam)\n";
  } catch (const std::filesystem::filesystem_error& e) {
    throw KitError::write(e.path1().string(), e.code().message());
  }
  return 0;
}

}  // namespace kitmodel
