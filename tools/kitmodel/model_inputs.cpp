#include "tools/kitmodel/model_inputs.hpp"

#include <cmath>
#include <string>

#include "gridkit/arrays.hpp"
#include "gridkit/error.hpp"
#include "gridkit/textfile.hpp"

namespace kitmodel {
namespace {

using gridkit::ArrayLayout;
using gridkit::KitError;

gridkit::InFile open_array(const ArraySource& source) {
  return gridkit::InFile::open_existing(source.file, source.file.filename().string());
}

gridkit::IntGrid read_int_array(const ArraySource& source) {
  if (source.is_constant()) {
    if (source.constant != std::floor(source.constant) || std::fabs(source.constant) > 1e9)
      throw KitError(source.key + ": an integer array takes a whole number, not " +
                     std::to_string(source.constant));
    return gridkit::IntGrid(gridkit::NROW(), gridkit::NCOL(),
                            static_cast<std::int32_t>(source.constant));
  }
  if (source.layout != ArrayLayout::Int && source.layout != ArrayLayout::Free)
    throw KitError(source.key + ": an integer array is read in " +
                   gridkit::layout_formats({ArrayLayout::Int, ArrayLayout::Free}, "or") + ", not " +
                   gridkit::layout_format(source.layout));
  gridkit::InFile file = open_array(source);
  gridkit::IntGrid grid;
  gridkit::read_grid(file, grid, source.layout);
  return grid;
}

}  // namespace

gridkit::RealGrid read_real_array(const ArraySource& source) {
  if (source.is_constant())
    return gridkit::RealGrid(gridkit::NROW(), gridkit::NCOL(), static_cast<float>(source.constant));
  if (source.layout == ArrayLayout::Int)
    throw KitError(
        source.key + ": a real array is read in " +
        gridkit::layout_formats({ArrayLayout::Fixed, ArrayLayout::Exp, ArrayLayout::Free}, "or") +
        ", not " + gridkit::layout_format(source.layout));
  gridkit::InFile file = open_array(source);
  gridkit::RealGrid grid;
  gridkit::read_grid(file, grid, source.layout);
  return grid;
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
    gridkit::InFile file = gridkit::InFile::open_existing(*model.river_package,
                                                          model.river_package->filename().string());
    in.river_header = heron2::read_package_header(file);
    while (std::optional<heron2::RiverRecord> r = heron2::read_package_record(file))
      in.reaches.push_back(*r);
  }
  return in;
}

}  // namespace kitmodel
