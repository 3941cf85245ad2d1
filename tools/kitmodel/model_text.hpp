// Small pieces shared by the two model writers.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/textfile.hpp"

namespace kitmodel {

// The shortest text that reads back as the float `value`.
std::string shortest(float value);
// A double as the shortest text that reads back to it.
std::string shortest(double value);
// The same digits, never with an exponent: a CRSTM position of 500000 m is
// 500000, not 5e+05.
std::string shortest_fixed(double value);

// Writes `text` (lines ended by '\n') as the file `folder/name` by the kit's
// output rule and adds `name` to `written`.
void write_text_file(const std::filesystem::path& folder, const std::string& name, std::string_view text,
                     std::vector<std::string>& written);

// The CRSTM projection, as a GIS names it.
inline constexpr const char* kCrstmDefinition =
    "+proj=tmerc +lat_0=44 +lon_0=-86 +k_0=0.9996 +x_0=359987 +y_0=344917 "
    "+a=6378206.4 +rf=294.978698213898 +units=m";

}  // namespace kitmodel
