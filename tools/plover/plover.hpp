// PLOVER: CRSTM X,Y to latitude and longitude (west positive).
//
// The file form converts a whole CRSTM point file into GEO.OUT, in degrees,
// minutes and seconds with each point's Z carried through. The point form
// converts one X Y typed at the console into decimal degrees.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "gridkit/console.hpp"

namespace plover {

// The seven 33-character lines of PLOVER's own frame, one per form.
inline constexpr int kFrameWidth = 33;
using Frame = std::array<std::string_view, 7>;
extern const Frame kFileFrame;
extern const Frame kPointFrame;

// Writes a frame as seven free-format records.
void write_frame(gridkit::Console& con, const Frame& frame);

void run_plover(gridkit::Console& con, const std::filesystem::path& folder);
void run_plover_point(gridkit::Console& con, const std::filesystem::path& folder);

}  // namespace plover
