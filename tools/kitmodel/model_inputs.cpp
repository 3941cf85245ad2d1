#include "tools/kitmodel/model_inputs.hpp"

#include <cmath>
#include <string>

#include "gridkit/arrays.hpp"
#include "gridkit/error.hpp"
#include "gridkit/textfile.hpp"

namespace kitmodel {
namespace {

using gridkit::KitError;

gridkit::InFile open_array(const ArraySource& source) {
  return gridkit::InFile::open_existing(source.file, source.file.filename().string());
}

gridkit::IntGrid read_int_array(const ArraySource& source) {
  if (source.is_constant()) {
    if (source.constant != std::floor(source.constant) || std::fabs(source.constant) > 1e9)
      throw KitError(source.key + ": an integer array takes a whole number, not " + std::to_string(source.constant));
    return gridkit::IntGrid(gridkit::NROW(), gridkit::NCOL(), static_cast<std::int32_t>(source.constant));
  }
  gridkit::InFile file = open_array(source);
  switch (source.layout) {
    case ArrayLayout::Int25I3:
      return gridkit::read_int_grid(file);
    case ArrayLayout::Free: {
      gridkit::IntGrid grid;
      std::vector<long long> row(gridkit::NCOL());
      for (int r = 1; r <= gridkit::NROW(); ++r) {
        gridkit::read_free(file, row);
        for (int c = 1; c <= gridkit::NCOL(); ++c) {
          const long long v = row[static_cast<std::size_t>(c - 1)];
          if (v < INT32_MIN || v > INT32_MAX)
            throw KitError::read(file.name(), file.line_number(), "integer out of range", std::to_string(v));
          grid(r, c) = static_cast<std::int32_t>(v);
        }
      }
      return grid;
    }
    default:
      throw KitError(source.key + ": an integer array is read in (25I3) or (FREE), not " +
                     layout_name(source.layout));
  }
}

}  // namespace

gridkit::RealGrid read_real_array(const ArraySource& source) {
  if (source.is_constant())
    return gridkit::RealGrid(gridkit::NROW(), gridkit::NCOL(), static_cast<float>(source.constant));
  gridkit::InFile file = open_array(source);
  switch (source.layout) {
    case ArrayLayout::Fixed10F:
      return gridkit::read_fixed_grid(file);
    case ArrayLayout::Free:
      return gridkit::read_free_grid(file);
    case ArrayLayout::Exp8E: {
      gridkit::RealGrid grid;
      for (int r = 1; r <= gridkit::NROW(); ++r) gridkit::read_exp_row(file, grid.row(r));
      return grid;
    }
    case ArrayLayout::Int25I3:
      break;
  }
  throw KitError(source.key + ": a real array is read in (10F8.1), (8E10.5) or (FREE), not (25I3)");
}

ModelInputs read_model_inputs(const ModelFile& model) {
  ModelInputs in;
  in.ibound = read_int_array(model.ibound);
  in.top = read_real_array(model.top);
  in.start = read_real_array(model.start);
  for (const LayerSource& layer : model.layers) {
    in.bottoms.push_back(read_real_array(layer.bottom));
    in.kh.push_back(read_real_array(layer.kh));
    in.kv.push_back(read_real_array(layer.kv));
  }
  if (model.recharge) in.recharge = read_real_array(*model.recharge);
  if (model.river_package) {
    gridkit::InFile file =
        gridkit::InFile::open_existing(*model.river_package, model.river_package->filename().string());
    in.river_header = heron2::read_package_header(file);
    while (std::optional<heron2::RiverRecord> r = heron2::read_package_record(file))
      in.reaches.push_back(*r);
  }
  return in;
}

}  // namespace kitmodel
