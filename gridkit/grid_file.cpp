#include "gridkit/grid_file.hpp"

#include <cmath>
#include <cstdlib>
#include <optional>

#include <toml++/toml.h>

#include "gridkit/error.hpp"
#include "gridkit/notes.hpp"
#include "gridkit/numfmt.hpp"
#include "gridkit/whole_file.hpp"

namespace gridkit {
namespace {

[[noreturn]] void fail(const std::string& file, const toml::source_region& where,
                       const std::string& what) {
  throw KitError::read_line(file, static_cast<long>(where.begin.line), what);
}

std::optional<double> finite_number(const toml::node& node) {
  if (const auto* i = node.as_integer()) return static_cast<double>(i->get());
  if (const auto* f = node.as_floating_point())
    if (std::isfinite(f->get())) return f->get();
  return std::nullopt;
}

// A position or size in single precision; one beyond it is refused rather
// than turned into infinity.
float single(const std::string& file, const toml::node& node, const std::string& key) {
  const std::optional<double> value = finite_number(node);
  if (!value || std::fabs(*value) > 3.0e38)
    fail(file, node.source(), "\"" + key + "\" must be a finite number");
  return static_cast<float>(*value);
}

int cell_count(const std::string& file, const toml::node& node, const std::string& key) {
  const auto* value = node.as_integer();
  if (!value || value->get() < 1 || value->get() > kMaxGridCells)
    fail(file, node.source(),
         "\"" + key + "\" must be a whole number from 1 to " + std::to_string(kMaxGridCells));
  return static_cast<int>(value->get());
}

}  // namespace

ModelGrid parse_grid_file(std::string_view text, const std::string& name) {
  toml::table doc;
  try {
    doc = toml::parse(text, name);
  } catch (const toml::parse_error& e) {
    fail(name, e.source(), std::string(e.description()));
  }
  ModelGrid grid;
  bool columns = false, rows = false, cell_size = false, first_node = false;
  for (auto&& [key, node] : doc) {
    const std::string k(key.str());
    if (k == "columns") {
      grid.columns = cell_count(name, node, k);
      columns = true;
    } else if (k == "rows") {
      grid.rows = cell_count(name, node, k);
      rows = true;
    } else if (k == "cell_size") {
      grid.cell_size = single(name, node, k);
      if (!(grid.cell_size > 0.0f)) fail(name, node.source(), "\"cell_size\" must be above 0");
      cell_size = true;
    } else if (k == "first_node") {
      const auto* pair = node.as_array();
      if (!pair || pair->size() != 2)
        fail(name, node.source(), "\"first_node\" must be [X, Y] of the node of column 1, row 1");
      grid.first_x = single(name, *pair->get(0), k);
      grid.first_y = single(name, *pair->get(1), k);
      first_node = true;
    } else {
      fail(name, key.source(), "unknown key \"" + k + "\"");
    }
  }
  for (const auto& [given, key] : {std::pair{columns, "columns"},
                                   {rows, "rows"},
                                   {cell_size, "cell_size"},
                                   {first_node, "first_node"}})
    if (!given)
      throw KitError("read " + name + ": the key \"" + std::string(key) + "\" is missing");
  return grid;
}

GridChoice find_run_grid(const std::filesystem::path& folder) {
  std::filesystem::path path;
  std::string name;
  if (const char* named = std::getenv("KIT_GRID"); named != nullptr) {
    path = named;
    name = named;
  } else {
    path = folder / kGridFileName;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {kBuiltInGrid, ""};
    name = kGridFileName;
  }
  const WholeFile file = read_whole_file(path, name);
  return {parse_grid_file(std::string_view(file.bytes.get(), file.size), name), name};
}

std::string grid_note(const GridChoice& choice) {
  const ModelGrid& g = choice.grid;
  return "model grid of " + choice.file + ": " + std::to_string(g.columns) + " columns x " +
         std::to_string(g.rows) + " rows of " + shortest(g.cell_size);
}

namespace {
ModelGrid announced(const GridChoice& choice) {
  if (choice.grid != kBuiltInGrid) note(grid_note(choice));
  return choice.grid;
}
}  // namespace

RunGrid::RunGrid(const std::filesystem::path& folder) : scope_(announced(find_run_grid(folder))) {}

}  // namespace gridkit
