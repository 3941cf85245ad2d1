// The kitmap command: PNG maps of a prepared model from the kit's own files.
//
//   kitmap levels GRID.GRD IBOUND OUT.png        water levels, contoured
//   kitmap zones ZONES.BOL OUT.png               a zone array
//   kitmap thickness TOP BOTTOM PINCH IBOUND OUT.png
//   kitmap rivers ORDERBASE IBOUND OUT.png       stream orders (ORDERBASE.OR1-3)
//   options: --cell N (pixels per cell, 1-8), --interval X, --title TEXT
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kitmap {

extern const char* const kUsage;

// Runs one command with its files relative to `folder`; the line naming the
// map written, or the usage for --help, goes to `out`. Bad arguments and
// unreadable files are a KitError.
void run_kitmap(const std::vector<std::string>& args, const std::filesystem::path& folder,
                std::ostream& out);

}  // namespace kitmap
