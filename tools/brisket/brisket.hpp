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

}  // namespace brisket
