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
#include "gridkit/tool_help.hpp"

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

// What --help shows of each program: what it does, its questions in the order
// the dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kPloverHelp{
    "plover", "Converts a CRSTM X,Y,Z point file to latitude and longitude in GEO.OUT.",
    "CRSTM X,Y,Z point file (first 40 characters)\n", "WELLS.XYZ"};
inline constexpr gridkit::ToolHelp kPloverPointHelp{
    "plover-point", "Converts one CRSTM X,Y to latitude and longitude west in decimal degrees.",
    "X and Y (both in one answer, or one answer each)\n", "\"420622.07 289659.31\""};

}  // namespace plover
