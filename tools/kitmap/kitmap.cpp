#include "tools/kitmap/kitmap.hpp"

#include <ostream>
#include <span>

#include "gridkit/arrays.hpp"
#include "gridkit/dsaa_reader.hpp"
#include "gridkit/entry/options.hpp"
#include "gridkit/error.hpp"
#include "gridkit/grid_file.hpp"
#include "gridkit/numparse.hpp"
#include "gridkit/order_maps.hpp"
#include "gridkit/points.hpp"
#include "gridkit/replacing_output.hpp"
#include "gridkit/textfile.hpp"
#include "tools/kitmap/maps.hpp"

namespace kitmap {

const char* const kUsage =
    "usage: kitmap levels GRID.GRD IBOUND OUT.png     water levels with contours\n"
    "       kitmap zones ZONES OUT.png                zone array\n"
    "       kitmap thickness TOP BOTTOM PINCH IBOUND OUT.png\n"
    "                                                 layer thickness, pinched-out cells hatched\n"
    "       kitmap rivers ORDERBASE IBOUND OUT.png    river cells by stream order\n"
    "                                                 (ORDERBASE.OR1 ... .OR3)\n"
    "options: --cell N       pixels per model cell, 1 to 8 (default 2)\n"
    "         --interval X   band and contour interval (default: about 10 bands)\n"
    "         --title TEXT   title of the map\n"
    "         --residuals F  levels only: residuals at wells as dots, from a point\n"
    "                        file of X Y and simulated - observed\n"
    "Integer arrays: 25 values of 3 columns a line; TOP and BOTTOM: 10 values of\n"
    "8 columns a line; GRID.GRD: a Surfer text grid of the model's nodes.\n";

namespace {

using gridkit::UsageError;

gridkit::IntGrid read_int_array(const std::filesystem::path& folder, const std::string& name) {
  gridkit::InFile file = gridkit::InFile::open_existing(folder / name, name);
  return gridkit::read_int_grid(file);
}

gridkit::RealGrid read_fixed_array(const std::filesystem::path& folder, const std::string& name) {
  gridkit::InFile file = gridkit::InFile::open_existing(folder / name, name);
  return gridkit::read_fixed_grid(file);
}

gridkit::RealGrid read_grid_file(const std::filesystem::path& folder, const std::string& name) {
  gridkit::InFile file = gridkit::InFile::open_existing(folder / name, name);
  return gridkit::read_dsaa_model_grid(file);
}

struct Command {
  std::vector<std::string> words;  // the command and its file names
  MapOptions options;
  std::string residuals;  // the point file of --residuals
  bool help = false;
};

Command parse(const std::vector<std::string>& args) {
  const gridkit::ParsedOptions parsed =
      gridkit::parse_options(args, {{"--cell"}, {"--interval"}, {"--title"}, {"--residuals"}});
  Command command;
  command.help = parsed.help;
  command.words = parsed.words;
  command.options.title = parsed.value("--title").value_or("");
  command.residuals = parsed.value("--residuals").value_or("");
  if (const auto v = parsed.value("--cell")) {
    const auto n = gridkit::parse_integer(*v);
    if (!n || *n < 1 || *n > 8) throw UsageError("--cell takes 1 to 8, not \"" + *v + "\"");
    command.options.cell_px = static_cast<int>(*n);
  }
  if (const auto v = parsed.value("--interval")) {
    const auto x = gridkit::parse_double(*v);
    if (!x || !(*x > 0)) throw UsageError("--interval takes a number above 0, not \"" + *v + "\"");
    command.options.interval = *x;
  }
  return command;
}

void expect_files(const Command& c, std::size_t count) {
  if (c.words.size() != count + 1)
    throw UsageError("expected " + std::to_string(count) + " file names, got " +
                         std::to_string(c.words.size() - 1),
                     "kitmap " + c.words[0]);
}

// The map's file is the last name; every name before it is read (a rivers
// map reads BASE.OR1 to BASE.OR3). A map drawn over one of its own inputs
// would destroy it, so that is refused before anything is read or drawn.
void refuse_output_over_inputs(const Command& c, const std::filesystem::path& folder) {
  if (c.words.size() < 3) return;
  const std::string& png = c.words.back();
  std::vector<gridkit::NamedInput> inputs;
  for (std::size_t k = 1; k + 1 < c.words.size(); ++k) {
    const std::string& name = c.words[k];
    if (c.words[0] == "rivers" && k == 1) {
      for (const std::string& part : gridkit::order_map_names(name, gridkit::NCOL()))
        inputs.push_back({folder / part, part});
    } else {
      inputs.push_back({folder / name, name});
    }
  }
  gridkit::refuse_output_over_input(folder / png, png, inputs);
}

}  // namespace

void run_kitmap(const std::vector<std::string>& args, const std::filesystem::path& folder,
                std::ostream& out) {
  Command c = parse(args);
  if (c.help) {
    out << kUsage;
    return;
  }
  const gridkit::RunGrid grid(folder);
  if (c.words.empty()) gridkit::no_such_command(c.words, "map");
  // Untitled maps are named after the map and the file they show.
  if (c.options.title.empty() && c.words.size() > 1) {
    static const std::pair<const char*, const char*> kTitles[] = {
        {"levels", "Water levels (feet), "},
        {"zones", "Zone array "},
        {"thickness", "Layer thickness (feet), "},
        {"rivers", "River network by stream order, "}};
    for (const auto& [kind, title] : kTitles)
      if (c.words[0] == kind) c.options.title = title + c.words[1];
    if (c.words[0] == "thickness" && c.words.size() > 2) c.options.title += " - " + c.words[2];
  }
  const std::string& kind = c.words[0];
  const auto& w = c.words;
  if (!c.residuals.empty() && kind != "levels")
    throw UsageError("--residuals goes with a levels map, not with " + kind);
  Layout layout;
  std::string png;
  if (kind == "levels") {
    expect_files(c, 3);
    png = w[3];
    refuse_output_over_inputs(c, folder);
    const gridkit::RealGrid levels = read_grid_file(folder, w[1]);
    if (!c.residuals.empty()) {
      gridkit::InFile points = gridkit::InFile::open_existing(folder / c.residuals, c.residuals);
      while (const auto p = gridkit::read_point_single(points)) c.options.residuals.push_back(*p);
    }
    layout = draw_levels_map(levels, read_int_array(folder, w[2]), c.options, folder / png, png);
  } else if (kind == "zones") {
    expect_files(c, 2);
    png = w[2];
    refuse_output_over_inputs(c, folder);
    layout = draw_zones_map(read_int_array(folder, w[1]), c.options, folder / png, png);
  } else if (kind == "thickness") {
    expect_files(c, 5);
    png = w[5];
    refuse_output_over_inputs(c, folder);
    // Files are read in the order named, so a report names the first bad one.
    const gridkit::RealGrid top = read_fixed_array(folder, w[1]);
    const gridkit::RealGrid bottom = read_fixed_array(folder, w[2]);
    const gridkit::IntGrid pinch = read_int_array(folder, w[3]);
    layout = draw_thickness_map(top, bottom, pinch, read_int_array(folder, w[4]), c.options,
                                folder / png, png);
  } else if (kind == "rivers") {
    expect_files(c, 3);
    png = w[3];
    refuse_output_over_inputs(c, folder);
    gridkit::IntGrid order;
    gridkit::read_order_maps(folder, w[1], order);
    layout = draw_rivers_map(order, read_int_array(folder, w[2]), c.options, folder / png, png);
  } else {
    gridkit::no_such_command(c.words, "map");
  }
  out << "kitmap: wrote " << png << " (" << layout.width() << " x " << layout.height()
      << " pixels)\n";
}

}  // namespace kitmap
