// The subcommands that read a MODFLOW run's results back into the kit:
//
//   kitmodel heads FILE --layer K --out NAME [--period N] [--step N]
//   kitmodel residuals FILE WELLS.XYZ [--layer K] [--csv OUT.csv] [--period N] [--step N]
//
// Each takes the words after its name, writes its report to `out` and its
// files in `folder` (names are taken relative to it), and throws a KitError
// on any failure. "--help" among the words prints the command's help.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace kitmodel {

void heads_command(std::span<const std::string> args, std::ostream& out,
                   const std::filesystem::path& folder);
void residuals_command(std::span<const std::string> args, std::ostream& out,
                       const std::filesystem::path& folder);

std::string_view heads_help();
// The residuals help names the model grid's node of column 1, row 1 and its
// cell size, so it is made for the grid of the run.
std::string residuals_help();

// The value written in NAME.ARR for a cell without a head.
inline constexpr float kArrayNoHead = -999.9f;

}  // namespace kitmodel
