// Small pieces shared by the two model writers.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/numfmt.hpp"
#include "gridkit/textfile.hpp"

namespace kitmodel {

using gridkit::shortest;
using gridkit::shortest_fixed;

// Writes `text` (lines ended by '\n') as the file `folder/name` by the kit's
// output rule and adds `name` to `written`.
void write_text_file(const std::filesystem::path& folder, const std::string& name,
                     std::string_view text, std::vector<std::string>& written);

// The CRSTM projection, as a GIS names it.
inline constexpr const char* kCrstmDefinition =
    "+proj=tmerc +lat_0=44 +lon_0=-86 +k_0=0.9996 +x_0=359987 +y_0=344917 "
    "+a=6378206.4 +rf=294.978698213898 +units=m";

}  // namespace kitmodel
