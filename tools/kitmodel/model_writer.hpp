// Writing the MODFLOW 6 and MODFLOW-2005 models of a checked description.
//
//   DIR/mf6/     mfsim.nam, NAME.tdis, NAME.ims, NAME.nam, NAME.dis, NAME.ic,
//                NAME.npf, NAME.chd, NAME.riv, NAME.rch, NAME.oc, and the
//                arrays as blank-separated text under arrays/
//   DIR/mf2005/  NAME.nam, .dis, .ba6, .lpf, .riv, .rch, .pcg, .oc, reading
//                the kit's own files through OPEN/CLOSE
//
// Both save heads to NAME.hds beside their name file. Every file goes
// through the kit's output rule: written beside its name and moved over it
// when complete, so no run leaves half a model.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/kitmodel/model_file.hpp"
#include "tools/kitmodel/model_inputs.hpp"
#include "tools/kitmodel/model_plan.hpp"

namespace kitmodel {

// Returns the names of the files written, relative to `out_dir`.
std::vector<std::string> write_mf6(const ModelFile& model, const ModelInputs& inputs,
                                   const ModelPlan& plan, const std::filesystem::path& out_dir);
std::vector<std::string> write_mf2005(const ModelFile& model, const ModelInputs& inputs,
                                      const ModelPlan& plan, const std::filesystem::path& out_dir);

}  // namespace kitmodel
