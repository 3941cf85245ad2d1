// KITGEO: the kit's model arrays and point files to and from GIS, through
// GDAL. One command a run, given on the command line; what the run did is
// reported on `out`, one line each, and files are named relative to `folder`.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

namespace kitgeo {

// The whole run of one command line (without the program name). A failure
// is thrown as gridkit::KitError; no output is then replaced.
void run_kitgeo(std::span<const std::string> args, std::ostream& out,
                const std::filesystem::path& folder);

}  // namespace kitgeo
