// The kitmodel command: MODFLOW models from the kit's arrays.
//
//   kitmodel write MODEL.toml [--out DIR]   MODFLOW 6 and MODFLOW-2005 models
//   kitmodel check MODEL.toml               the checks alone
//
// Each subcommand takes --help.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kitmodel {

// Exit status of a check that found something that would stop MODFLOW 6 or
// make the model wrong; 2 is an error reading the inputs, as everywhere.
inline constexpr int kFindingsStatus = 1;

// Runs one subcommand with relative file names taken from `folder`, as the
// program does (--version included). What it reports goes to `out`, an error
// as one line to `err`. Returns the exit status.
int run_kitmodel(const std::vector<std::string>& args, const std::filesystem::path& folder,
                 std::ostream& out, std::ostream& err);

}  // namespace kitmodel
