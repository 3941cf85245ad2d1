#include "tools/kitmodel/model_file.hpp"

#include <cmath>
#include <functional>
#include <map>
#include <system_error>

#include <toml++/toml.h>

#include "gridkit/error.hpp"
#include "gridkit/textfile.hpp"

namespace kitmodel {
namespace {

using gridkit::KitError;

// The four layouts a format may name, as messages list them.
std::string every_format(std::string_view last) {
  using gridkit::ArrayLayout;
  return gridkit::layout_formats(
      {ArrayLayout::Int, ArrayLayout::Fixed, ArrayLayout::Exp, ArrayLayout::Free}, last);
}

struct TimeUnit {
  const char* name;
  int code;  // ITMUNI
};
constexpr TimeUnit kTimeUnits[] = {
    {"seconds", 1}, {"minutes", 2}, {"hours", 3}, {"days", 4}, {"years", 5}};

// Reads one description, naming its file and the line of each complaint.
class Reader {
 public:
  explicit Reader(std::string file_name) : file_(std::move(file_name)) {}

  [[noreturn]] void fail(const toml::source_region& where, const std::string& what) const {
    throw KitError::read_line(file_, static_cast<long>(where.begin.line), what);
  }

  // Calls `on_key` for each key of `table`; a key not in `known` is an error.
  void each_key(const toml::table& table, const std::string& where,
                std::initializer_list<const char*> known,
                const std::function<void(const std::string&, const toml::node&)>& on_key) const {
    for (auto&& [key, node] : table) {
      const std::string name(key.str());
      bool found = false;
      for (const char* k : known) found = found || name == k;
      if (!found) fail(key.source(), "unknown key \"" + where + name + "\"");
      on_key(name, node);
    }
  }

  std::string text(const toml::node& node, const std::string& key) const {
    if (const auto* s = node.as_string()) return s->get();
    fail(node.source(), "\"" + key + "\" must be a text in quotes");
  }

  double number(const toml::node& node, const std::string& key) const {
    if (const auto* i = node.as_integer()) return static_cast<double>(i->get());
    if (const auto* f = node.as_floating_point()) {
      if (std::isfinite(f->get())) return f->get();
    }
    fail(node.source(), "\"" + key + "\" must be a finite number");
  }

  const toml::table& table(const toml::node& node, const std::string& key) const {
    if (const auto* t = node.as_table()) return *t;
    fail(node.source(), "\"" + key + "\" must be a table");
  }

  ArraySource array(const toml::node& node, const std::string& key,
                    const std::filesystem::path& folder) const {
    ArraySource source;
    source.key = key;
    if (node.is_number()) {
      source.constant = number(node, key);
      return source;
    }
    if (!node.is_table())
      fail(node.source(), "\"" + key + "\" must be a number or { file = ..., format = ... }");
    std::optional<std::string> file;
    std::optional<std::string> format;
    each_key(*node.as_table(), key + ".", {"file", "format"},
             [&](const std::string& name, const toml::node& value) {
               if (name == "file")
                 file = text(value, key + ".file");
               else
                 format = text(value, key + ".format");
             });
    if (!file || file->empty())
      fail(node.source(), "\"" + key + "\" needs a file name (file = \"...\")");
    if (!format) fail(node.source(), "\"" + key + "\" needs a format: " + every_format("or"));
    const std::optional<gridkit::ArrayLayout> layout = gridkit::layout_with_format(*format);
    if (!layout) {
      fail(node.as_table()->get("format")->source(), "\"" + key + ".format\" is " + *format +
                                                         "; the kit's layouts are " +
                                                         every_format("and"));
    }
    source.layout = *layout;
    source.file = folder / *file;
    return source;
  }

 private:
  std::string file_;
};

}  // namespace

int time_unit_code(const std::string& units) {
  for (const TimeUnit& t : kTimeUnits)
    if (units == t.name) return t.code;
  return 0;
}

ModelFile read_model_file(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw KitError::open(path.string(), "no such file");
  if (!std::filesystem::is_regular_file(path, ec))
    throw KitError::open(path.string(), "not a plain file (a model description is read whole)");
  gridkit::InFile file = gridkit::InFile::open_existing(path, path.filename().string());
  std::string text;
  while (const std::optional<std::string_view> line = file.next_line()) {
    text += *line;
    text += '\n';
  }
  std::filesystem::path folder = path.parent_path();
  return parse_model_file(text, path.filename().string(), folder.empty() ? "." : folder);
}

ModelFile parse_model_file(std::string_view text, const std::string& file_name,
                           const std::filesystem::path& folder) {
  toml::table doc;
  try {
    doc = toml::parse(text, file_name);
  } catch (const toml::parse_error& e) {
    throw KitError::read_line(file_name, static_cast<long>(e.source().begin.line), e.description());
  }
  const Reader in(file_name);
  ModelFile model;
  model.folder = folder;
  const toml::source_region whole = doc.source();
  bool has_ibound = false, has_top = false, has_start = false;

  in.each_key(
      doc, "",
      {"name", "length_units", "time_units", "ibound", "top", "start", "layer", "river", "recharge",
       "solver"},
      [&](const std::string& key, const toml::node& node) {
        if (key == "name") {
          model.name = in.text(node, key);
          if (model.name.empty() || model.name.find_first_of(" \t/\\") != std::string::npos)
            in.fail(node.source(), "\"name\" must be one word (it names the model's files)");
        } else if (key == "length_units") {
          const std::string units = in.text(node, key);
          if (units == "feet")
            model.length_units = LengthUnits::Feet;
          else if (units == "meters")
            model.length_units = LengthUnits::Meters;
          else
            in.fail(node.source(),
                    "\"length_units\" is \"" + units + "\"; it must be feet or meters");
        } else if (key == "time_units") {
          model.time_units = in.text(node, key);
          if (time_unit_code(model.time_units) == 0)
            in.fail(node.source(), "\"time_units\" is \"" + model.time_units +
                                       "\"; it must be seconds, minutes, hours, days or years");
        } else if (key == "ibound") {
          model.ibound = in.array(node, key, model.folder);
          has_ibound = true;
        } else if (key == "top") {
          model.top = in.array(node, key, model.folder);
          has_top = true;
        } else if (key == "start") {
          model.start = in.array(node, key, model.folder);
          has_start = true;
        } else if (key == "layer") {
          const auto* layers = node.as_array();
          if (!layers || !layers->is_array_of_tables())
            in.fail(node.source(), "\"layer\" must be given as [[layer]] tables");
          for (const toml::node& each : *layers) {
            const int k = static_cast<int>(model.layers.size()) + 1;
            const std::string where = "layer " + std::to_string(k) + " ";
            LayerSource layer;
            bool bottom = false, kh = false, kv = false;
            in.each_key(*each.as_table(), where, {"bottom", "kh", "kv"},
                        [&](const std::string& name, const toml::node& value) {
                          if (name == "bottom") {
                            layer.bottom = in.array(value, where + name, model.folder);
                            bottom = true;
                          }
                          if (name == "kh") {
                            layer.kh = in.array(value, where + name, model.folder);
                            kh = true;
                          }
                          if (name == "kv") {
                            layer.kv = in.array(value, where + name, model.folder);
                            kv = true;
                          }
                        });
            if (!bottom || !kh || !kv)
              in.fail(each.source(), "[[layer]] " + std::to_string(k) + " needs bottom, kh and kv");
            model.layers.push_back(layer);
          }
        } else if (key == "river") {
          in.each_key(in.table(node, key), "river.", {"package"},
                      [&](const std::string&, const toml::node& value) {
                        model.river_package = model.folder / in.text(value, "river.package");
                      });
          if (!model.river_package) in.fail(node.source(), "[river] needs package = \"FILE\"");
        } else if (key == "recharge") {
          const toml::table& recharge = in.table(node, key);
          if (recharge.contains("rate") && recharge.contains("array"))
            in.fail(recharge.source(), "[recharge] takes rate or array, not both");
          in.each_key(recharge, "recharge.", {"rate", "array"},
                      [&](const std::string& name, const toml::node& value) {
                        if (name == "rate") {
                          ArraySource rate;
                          rate.key = "recharge rate";
                          rate.constant = in.number(value, "recharge.rate");
                          model.recharge = rate;
                        } else {
                          model.recharge = in.array(value, "recharge array", model.folder);
                        }
                      });
          if (!model.recharge)
            in.fail(node.source(),
                    "[recharge] needs rate = NUMBER or array = { file = ..., format = ... }");
        } else if (key == "solver") {
          in.each_key(in.table(node, key), "solver.", {"head_change"},
                      [&](const std::string&, const toml::node& value) {
                        model.head_change = in.number(value, "solver.head_change");
                        if (!(model.head_change > 0))
                          in.fail(value.source(), "\"solver.head_change\" must be above 0");
                      });
        }
      });
  if (model.name.empty()) in.fail(whole, "the model needs a name (name = \"...\")");
  if (!has_ibound) in.fail(whole, "the model needs ibound = { file = ..., format = \"(25I3)\" }");
  if (!has_top) in.fail(whole, "the model needs top = ...");
  if (!has_start) in.fail(whole, "the model needs start = ... (the starting heads)");
  if (model.layers.empty()) in.fail(whole, "the model needs at least one [[layer]]");
  return model;
}

}  // namespace kitmodel
