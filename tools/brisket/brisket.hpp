// The gridding family: BRISKET, its earlier build, BRISKET2 and BRISKET4.
// They share the grid, the node codes, the relaxation, the stop rule and the
// two outputs (a ".BSK" model array and a ".GRD" text grid), and differ in
// what they read and how they seed the grid:
//
//   member        inputs                          start     sweep     ZMIN/ZMAX start
//   BRISKET       IBOUND, points                  1.0       interior  first point's Z
//   earlier build IBOUND, points                  1000.0    every     first point's Z
//   BRISKET2      IBOUND, real grid               the grid  every     1000.0 and 0.0
//   BRISKET4      IBOUND, held nodes, grid, pts   the grid  interior  first point's Z
#pragma once

#include <filesystem>

#include "gridkit/console.hpp"
#include "gridkit/tool_help.hpp"

namespace brisket {

enum class Member { Brisket, BrisketEarly, Brisket2, Brisket4 };

// Which relaxation runs: the fast one, or the plain loop it is tested against.
enum class Engine { Fast, Plain };

void run_member(gridkit::Console& con, const std::filesystem::path& folder, Member member,
                Engine engine = Engine::Fast);

void run_brisket(gridkit::Console& con, const std::filesystem::path& folder);
void run_brisket_early(gridkit::Console& con, const std::filesystem::path& folder);
void run_brisket2(gridkit::Console& con, const std::filesystem::path& folder);
void run_brisket4(gridkit::Console& con, const std::filesystem::path& folder);

// BRISKET and its earlier build ask the same questions.
inline constexpr const char* kBrisketQuestions =
    "IBOUND array\n"
    "CRSTM X,Y,Z point file\n"
    "first 8 characters of the output name (NAME.BSK and NAME.GRD are written)\n"
    "maximum number of sweeps\n"
    "convergence limit (largest change of a sweep)\n";

// What --help shows of each program: what it does, its questions in the order
// the dialogue asks them, and a typical run.
inline constexpr gridkit::ToolHelp kBrisketHelp{
    "brisket", "Grids scattered CRSTM X,Y,Z points inside an IBOUND array by relaxation.",
    kBrisketQuestions, "IBOUND.ARR WLPOINTS.XYZ WLEVEL 4000 0.001"};
inline constexpr gridkit::ToolHelp kBrisketEarlyHelp{
    "brisket-early", "The earlier build of brisket: start value 1000.0, sweeps over every node.",
    kBrisketQuestions, "IBOUND.ARR WLPOINTS.XYZ WLEVEL 4000 0.001"};
inline constexpr gridkit::ToolHelp kBrisket2Help{
    "brisket2", "Smooths a real grid (.BSK layout) inside an IBOUND array by relaxation.",
    "IBOUND array\n"
    "input grid file, 10 values of 8 columns to a line\n"
    "first 8 characters of the output name (NAME.BSK and NAME.GRD are written)\n"
    "maximum number of sweeps\n"
    "convergence limit (largest change of a sweep)\n",
    "IBOUND.ARR WLEVEL.BSK WLSMOOTH 4000 0.001"};
inline constexpr gridkit::ToolHelp kBrisket4Help{
    "brisket4", "Grids points over a starting grid, holding the nodes marked -1, by relaxation.",
    "IBOUND array of the active area\n"
    "integer array marking the nodes to hold with -1\n"
    "starting grid (matrix) file\n"
    "CRSTM X,Y,Z point file\n"
    "first 8 characters of the output name (NAME.BSK and NAME.GRD are written)\n"
    "maximum number of sweeps\n"
    "convergence limit (largest change of a sweep)\n",
    "IBOUND.ARR WLHELD.ARR WLEVEL.BSK WLNEW.XYZ WLRESEED 4000 0.001"};

}  // namespace brisket
