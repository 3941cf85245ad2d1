// The model description a modeller writes (MODEL.toml): which of the kit's
// files make up the model, in which layouts, and the few numbers no array
// holds.
//
//   name = "sample"
//   length_units = "feet"            feet | meters
//   time_units = "days"              seconds | minutes | hours | days | years
//   ibound = { file = "ZONES.BOL", format = "(25I3)" }
//   top = { file = "PTOP1.MOD", format = "(10F8.1)" }
//   start = { file = "WLFINAL.BSK", format = "(10F8.1)" }
//   [[layer]]                        one per layer, top down
//   bottom = ...   kh = ...   kv = ...
//   [river]     package = "NEWRIVER.RIV"
//   [recharge]  rate = 0.002         or array = { file = ..., format = ... }
//   [solver]    head_change = 1e-4
//
// An array entry may be a number instead: the same value in every cell.
// File names are relative to the folder of the description. Unknown keys,
// a missing key and a value of the wrong kind are errors naming the key and
// its line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/array_layout.hpp"

namespace kitmodel {

// One whole-grid array: a file in one of the layouts, or a constant.
struct ArraySource {
  std::string key;             // where it was given ("layer 2 kh"), for messages
  std::filesystem::path file;  // empty for a constant
  gridkit::ArrayLayout layout = gridkit::ArrayLayout::Free;
  double constant = 0.0;
  bool is_constant() const { return file.empty(); }
};

struct LayerSource {
  ArraySource bottom;
  ArraySource kh;
  ArraySource kv;
};

enum class LengthUnits { Feet, Meters };

struct ModelFile {
  std::filesystem::path folder;  // the folder of the description
  std::string name;
  LengthUnits length_units = LengthUnits::Feet;
  std::string time_units = "days";
  ArraySource ibound;
  ArraySource top;
  ArraySource start;
  std::vector<LayerSource> layers;
  std::optional<std::filesystem::path> river_package;
  std::optional<ArraySource> recharge;  // absent: no recharge
  double head_change = 1e-4;            // solver closure on heads, length units
};

// Reads and checks the description; a KitError names the file, line and key
// of what is wrong.
ModelFile read_model_file(const std::filesystem::path& path);
// The same over a description's text; file names in it are taken relative
// to `folder`.
ModelFile parse_model_file(std::string_view text, const std::string& file_name,
                           const std::filesystem::path& folder);

// The MODFLOW-2005 time unit code (ITMUNI) of a time unit name.
int time_unit_code(const std::string& units);

}  // namespace kitmodel
