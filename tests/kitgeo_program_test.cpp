// The kitgeo program as a process.
//
// A closed curve that goes out to a GIS as a polygon layer and comes back
// through kitgeo must give QUARRYPIT the same zone array and boundary band as
// the original curve file. The polygon layer is made both by GDAL's own
// ogr2ogr (a 2D polygon from well-known text, closed as GIS close rings) and
// by kitgeo export-points --polygon (a 3D polygon).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/scratch_folder.hpp"

namespace {

namespace fs = std::filesystem;

const char* const kCrstm =
    "+proj=tmerc +ellps=clrk66 +lat_0=44 +lon_0=-86 +k=0.9996 +x_0=359987 +y_0=344917 +units=m "
    "+no_defs";

// An irregular pentagon with no vertex on a row's node line.
const char* const kCurve =
    "300450.5 500300.25 0\n330800.75 495120.5 0\n340200.25 470560.75 0\n320100.5 455340.5 0\n"
    "305300.75 470880.25 0\n";
const char* const kPolygonCsvRow =
    "1,\"POLYGON ((300450.5 500300.25,330800.75 495120.5,340200.25 470560.75,320100.5 455340.5,"
    "305300.75 470880.25,300450.5 500300.25))\"";

int run_in(const fs::path& folder, const std::string& command) {
  return std::system(("cd '" + folder.string() + "' && " + command + " >>RUN.LOG 2>&1").c_str());
}

// QUARRYPIT over one curve file with interior value 5; returns the zone array
// and the boundary band, one after the other.
std::string quarrypit_arrays(const fs::path& folder, const std::string& curve_file) {
  const std::string quarrypit = std::string(KIT_BIN_DIR) + "/quarrypit";
  EXPECT_EQ(run_in(folder, "printf '%s\\n' " + curve_file + " ZONES 5 N | " + quarrypit), 0)
      << kit_test::read_text(folder / "RUN.LOG");
  return kit_test::read_text(folder / "ZONES.BOL") + kit_test::read_text(folder / "BOUNDARY.FIL");
}

TEST(KitgeoQuarrypit, PolygonLayerGivesTheSameZonesAsTheCurveFile) {
  ASSERT_EQ(std::system("command -v ogr2ogr >/dev/null 2>&1"), 0)
      << "ogr2ogr (package gdal-bin) is missing";
  const kit_test::ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  scratch.write("CURVE.XYZ", kCurve);
  scratch.write("CURVE.csv", "id,WKT\n" + std::string(kPolygonCsvRow) + "\n");
  const std::string original = quarrypit_arrays(folder, "CURVE.XYZ");
  ASSERT_NE(original.find("  5"), std::string::npos) << "the curve fills no node";

  const std::string kitgeo = std::string(KIT_BIN_DIR) + "/kitgeo";
  struct Case {
    const char* what;
    std::string make_layer;
  };
  const Case cases[] = {
      {"ogr2ogr",
       "ogr2ogr -f GPKG -a_srs '" + std::string(kCrstm) + "' -nln AREA AREA.gpkg CURVE.csv"},
      {"kitgeo export-points", kitgeo + " export-points CURVE.XYZ AREA.gpkg --polygon"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(folder / "AREA.gpkg");
    ASSERT_EQ(run_in(folder, c.make_layer), 0) << kit_test::read_text(folder / "RUN.LOG");
    ASSERT_EQ(run_in(folder, kitgeo + " import-points AREA.gpkg AREA.XYZ"), 0)
        << kit_test::read_text(folder / "RUN.LOG");
    EXPECT_EQ(kit_test::read_text(folder / "AREA.XYZ"), kCurve);
    EXPECT_TRUE(quarrypit_arrays(folder, "AREA.XYZ") == original);
  }
}

}  // namespace
