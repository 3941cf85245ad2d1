// kitgeo end to end in-process: model arrays through GeoTIFF and back,
// the grid's place and coordinate system as GDAL and PROJ see them, rasters
// of other coordinate systems warped onto the grid, nodata and IBOUND, point
// files through GeoPackage, and the command line's errors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>

#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include "gridkit/projection.hpp"
#include "tools/kitgeo/gdal_support.hpp"
#include "tools/kitgeo/kit_files.hpp"
#include "tools/kitgeo/tests/test_support.hpp"

namespace kitgeo::testing {
namespace {

namespace fs = std::filesystem;
using gridkit::IntGrid;
using gridkit::NCOL;
using gridkit::NROW;
using gridkit::RealGrid;

// An array with a spread of values that each layout holds exactly as text.
ModelArray sample_array(ArrayLayout layout) {
  if (layout == ArrayLayout::Int) {
    IntGrid grid;
    for (int i = 1; i <= NROW(); ++i)
      for (int j = 1; j <= NCOL(); ++j) grid(i, j) = (i * 37 + j * 11) % 1099 - 99;  // -99 to 999
    return grid;
  }
  RealGrid grid;
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      const int k = i * 131 + j * 17;
      switch (layout) {
        case ArrayLayout::Fixed:
          grid(i, j) = static_cast<float>(k % 20001 - 5000) / 10.0f;
          break;  // -500.0 to 1500.0
        case ArrayLayout::Exp:
          grid(i, j) = static_cast<float>(k % 9973 + 1) * 0.000731f;
          break;  // positive only
        case ArrayLayout::Free:
          grid(i, j) = std::ldexp(static_cast<float>(k % 8191) - 4000.5f, k % 9 - 4);
          break;
        case ArrayLayout::Int: break;
      }
    }
  }
  return grid;
}

std::vector<double> as_doubles(const ModelArray& array) {
  std::vector<double> values;
  std::visit([&](const auto& grid) { values.assign(grid.values().begin(), grid.values().end()); },
             array);
  return values;
}

TEST(KitgeoRoundTrip, EachLayoutComesBackByteForByteThroughTheGeotiff) {
  struct Case {
    ArrayLayout layout;
    const char* name;
    const char* pixel_type;
  };
  const Case cases[] = {{ArrayLayout::Int, "int", "Int32"},
                        {ArrayLayout::Fixed, "fixed", "Float32"},
                        {ArrayLayout::Free, "free", "Float32"},
                        {ArrayLayout::Exp, "exp", "Float32"}};
  const ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    write_model_array(folder, "A.DAT", c.layout, sample_array(c.layout));
    const std::string layout = std::string(" --layout ") + c.name;
    const KitgeoRun out = kitgeo(folder, "export A.DAT A.tif" + layout);
    ASSERT_EQ(out.status, 0) << out.error;
    const KitgeoRun in = kitgeo(folder, "import A.tif B.DAT" + layout);
    ASSERT_EQ(in.status, 0) << in.error;
    EXPECT_EQ(kit_test::read_text(folder / "B.DAT"), kit_test::read_text(folder / "A.DAT"));
    EXPECT_NE(in.output.find(": 0 cells outside the raster or without data"), std::string::npos)
        << in.output;
    // Every value stored is the value read from the array, to the bit.
    const RasterBand band = read_band(folder / "A.tif");
    EXPECT_EQ(band.type, c.pixel_type);
    EXPECT_FALSE(band.has_nodata);
    EXPECT_TRUE(band.values == as_doubles(read_model_array(folder, "A.DAT", c.layout)));
  }
}

std::string command_output(const std::string& command) {
  std::string text;
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return text;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) text += buffer;
  return text;
}

// On a grid of the modeller's own, described by GRID.toml in the folder, the
// GeoTIFF has a pixel a cell with its upper-left corner half a cell west and
// north of the node of column 1, row 1, and importing it lands every cell
// back on its node.
TEST(KitgeoOtherGrids, GeotiffOriginAndPixelSizeComeFromTheGrid) {
  struct Case {
    const char* why;
    gridkit::ModelGrid grid;
    const char* grid_file;
    double west, north;
  };
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {"the quarry sample's grid", {97, 53, 250.0f, 402125.0f, 318375.0f},
       "columns = 97\nrows = 53\ncell_size = 250.0\nfirst_node = [402125.0, 318375.0]\n", 402000.0,
       318500.0},
      {"one row", {40, 1, 30.0f, 500015.0f, 200015.0f},
       "columns = 40\nrows = 1\ncell_size = 30\nfirst_node = [500015, 200015]\n", 500000.0,
       200030.0},
      {"one column", {1, 25, 12.5f, 310006.25f, 420006.25f},
       "columns = 1\nrows = 25\ncell_size = 12.5\nfirst_node = [310006.25, 420006.25]\n", 310000.0,
       420012.5},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const ScratchFolder scratch;
    const fs::path& folder = scratch.path();
    kit_test::write_text(folder / "GRID.toml", c.grid_file);
    {
      const gridkit::GridScope scope(c.grid);
      write_model_array(folder, "A.DAT", ArrayLayout::Fixed, sample_array(ArrayLayout::Fixed));
    }
    const KitgeoRun out = kitgeo(folder, "export A.DAT A.tif --layout fixed");
    ASSERT_EQ(out.status, 0) << out.error;
    EXPECT_NE(out.output.find(": " + std::to_string(c.grid.columns) + " x " +
                              std::to_string(c.grid.rows)),
              std::string::npos)
        << out.output;
    GdalSession gdal;
    const DatasetPtr tiff(GDALDataset::Open((folder / "A.tif").c_str(), GDAL_OF_RASTER));
    ASSERT_TRUE(tiff);
    EXPECT_EQ(tiff->GetRasterXSize(), c.grid.columns);
    EXPECT_EQ(tiff->GetRasterYSize(), c.grid.rows);
    double transform[6] = {};
    ASSERT_EQ(tiff->GetGeoTransform(transform), CE_None);
    const double cell = c.grid.cell_size;
    EXPECT_EQ(std::vector<double>(transform, transform + 6),
              (std::vector<double>{c.west, cell, 0.0, c.north, 0.0, -cell}));
    const KitgeoRun in = kitgeo(folder, "import A.tif B.DAT --layout fixed");
    ASSERT_EQ(in.status, 0) << in.error;
    EXPECT_EQ(kit_test::read_text(folder / "B.DAT"), kit_test::read_text(folder / "A.DAT"));
  }
}

// The corners of the grid as GDAL reports them, converted to latitude and
// longitude by PROJ from the coordinate system stored in the file, must come
// back to the same corners through the kit's own forward projection. The kit's
// series departs from an exact transverse Mercator by up to 0.012 m at the
// south-east corner, so the limit is 0.015 m; a wrong parameter, ellipsoid or
// unit would be off by metres.
TEST(KitgeoExport, GdalSeesTheGridAndProjAgreesWithOurProjectionAtTheCorners) {
  const ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  write_model_array(folder, "A.DAT", ArrayLayout::Fixed, sample_array(ArrayLayout::Fixed));
  ASSERT_EQ(kitgeo(folder, "export A.DAT A.tif --layout fixed").status, 0);
  const std::string info = command_output("gdalinfo " + (folder / "A.tif").string() + " 2>&1");
  for (const char* expected :
       {"Size is 361, 470", "Origin = (290068.000000000000000,557628.000000000000000)",
        "Pixel Size = (1000.000000000000000,-1000.000000000000000)", "PROJCRS[\"CRSTM\"",
        "ELLIPSOID[\"Clarke 1866\"", "METHOD[\"Transverse Mercator\"", "COMPRESSION=DEFLATE",
        "Type=Float32"}) {
    EXPECT_NE(info.find(expected), std::string::npos) << expected << " is missing from:\n" << info;
  }

  GdalSession gdal;
  const DatasetPtr tiff(GDALDataset::Open((folder / "A.tif").c_str(), GDAL_OF_RASTER));
  ASSERT_TRUE(tiff);
  OGRSpatialReference geographic;
  geographic.SetFromUserInput("+proj=longlat +ellps=clrk66 +no_defs");
  geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  const std::unique_ptr<OGRCoordinateTransformation> to_geographic(
      OGRCreateCoordinateTransformation(tiff->GetSpatialRef(), &geographic));
  ASSERT_TRUE(to_geographic);
  for (const auto& [x, y] : {std::pair{290068.0, 557628.0}, std::pair{651068.0, 557628.0},
                             std::pair{290068.0, 87628.0}, std::pair{651068.0, 87628.0}}) {
    double lon = x;
    double lat = y;
    ASSERT_TRUE(to_geographic->Transform(1, &lon, &lat));
    const gridkit::ForwardResult ours = gridkit::geodetic_to_crstm(lat, -lon);
    EXPECT_LT(std::hypot(ours.x - x, ours.y - y), 0.015) << "corner " << x << " " << y;
  }
}

// A raster in latitude and longitude whose pixels hold a linear function of
// their centre's latitude (or longitude). Its pixels (0.02 degree) are larger
// than the cells, where bilinear warping is plain interpolation and gives the
// function exactly (a finer source would be filtered over a wider footprint),
// so each imported cell must hold it at the latitude and
// longitude of its node by the kit's inverse projection. A limit of 1 unit is
// 0.00001 degree (about 1 m); a cell's shift is 900 units.
TEST(KitgeoImport, GeographicRasterLandsOnOurProjectionOfEachNode) {
  struct Case {
    const char* what;
    std::function<double(double lat, double lon_east)> field;
  };
  const Case cases[] = {{"latitude", [](double lat, double) { return (lat - 41.0) * 1e5; }},
                        {"longitude", [](double, double lon) { return (lon + 88.0) * 1e5; }}};
  const ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    write_geographic_raster(folder / "GEO.tif", -87.5, 46.5, 0.02, 300, 275, c.field);
    const KitgeoRun run =
        kitgeo(folder, "import GEO.tif GEO.DAT --layout free --resampling bilinear");
    ASSERT_EQ(run.status, 0) << run.error;
    EXPECT_NE(run.output.find(": 0 cells outside"), std::string::npos) << run.output;
    const RealGrid imported =
        std::get<RealGrid>(read_model_array(folder, "GEO.DAT", ArrayLayout::Free));
    double worst = 0.0;
    for (int i = 1; i <= NROW(); ++i) {
      for (int j = 1; j <= NCOL(); ++j) {
        const gridkit::Geodetic node =
            gridkit::crstm_to_geodetic(gridkit::node_x_double(j), gridkit::node_y_double(i));
        worst = std::max(worst, std::fabs(imported(i, j) - c.field(node.lat, -node.lon_west)));
      }
    }
    EXPECT_LT(worst, 1.0);
  }
}

std::string crstm_wkt() {
  char* wkt = nullptr;
  crstm_reference().exportToWkt(&wkt);
  const std::string text(wkt);
  CPLFree(wkt);
  return text;
}

// Nodata on the way out and on the way in. EXPORT.tif is the free-layout
// array exported inside the sample IBOUND; HOLE.tif the same with one more
// cell inactive; WEST.tif covers only columns 1 to 100 and names no
// coordinate system; NEG.tif holds negative values; FAR.tif lies far south of
// the grid (an import of it once wrote zeros and reported success). Each
// failing import leaves the earlier OUT.DAT as it was.
TEST(KitgeoNodata, InactiveCellsAndCellsWithoutDataAreCountedOrRefused) {
  const ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  IntGrid ibound = sample_ibound();
  write_model_array(folder, "IBOUND.ARR", ArrayLayout::Int, ibound);
  write_model_array(folder, "A.DAT", ArrayLayout::Free, sample_array(ArrayLayout::Free));
  long inactive = 0;
  for (const std::int32_t code : ibound.values()) inactive += code == 0 ? 1 : 0;
  ASSERT_EQ(ibound(200, 150), 1);
  IntGrid holed = ibound;
  holed(200, 150) = 0;
  write_model_array(folder, "HOLED.ARR", ArrayLayout::Int, holed);

  const KitgeoRun exported =
      kitgeo(folder, "export A.DAT EXPORT.tif --layout free --ibound IBOUND.ARR");
  ASSERT_EQ(exported.status, 0) << exported.error;
  EXPECT_NE(
      exported.output.find(std::to_string(inactive) + " cells inactive in IBOUND.ARR as nodata"),
      std::string::npos);
  const RasterBand band = read_band(folder / "EXPORT.tif");
  const std::vector<double> values =
      as_doubles(read_model_array(folder, "A.DAT", ArrayLayout::Free));
  ASSERT_TRUE(band.has_nodata);
  for (std::size_t k = 0; k < values.size(); ++k) {
    ASSERT_EQ(band.values[k], ibound.values()[k] == 0 ? band.nodata : values[k]) << "pixel " << k;
  }
  ASSERT_EQ(kitgeo(folder, "export A.DAT HOLE.tif --layout free --ibound HOLED.ARR").status, 0);
  write_raster(folder / "WEST.tif", {290068.0, 1000.0, 0.0, 557628.0, 0.0, -1000.0}, "", 100,
               NROW(), std::vector<double>(100 * NROW(), 5.0));
  write_raster(folder / "NEG.tif", {290068.0, 1000.0, 0.0, 557628.0, 0.0, -1000.0}, crstm_wkt(),
               NCOL(), NROW(), std::vector<double>(NCOL() * NROW(), -2.5));
  write_raster(folder / "FAR.tif", {290068.0, 1000.0, 0.0, 50000.0, 0.0, -1000.0}, crstm_wkt(), 10,
               10, std::vector<double>(100, 7.0));

  struct Case {
    std::string command;
    int status;
    std::string message;  // in the output, or in the error when status is 2
  };
  const std::string without_data = " cells outside the raster or without data, written as 0";
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {"import EXPORT.tif OUT.DAT --layout free", 0,
       ": " + std::to_string(inactive) + without_data + "\n"},
      {"import EXPORT.tif OUT.DAT --layout free --ibound IBOUND.ARR", 0,
       without_data + " (all inactive in IBOUND.ARR)"},
      {"import WEST.tif OUT.DAT --layout fixed --resampling average", 0,
       "WEST.tif names no coordinate system: taken as CRSTM\nWEST.tif -> OUT.DAT (fixed layout, "
       "average): " + std::to_string(261 * NROW()) + without_data + "\n"},
      {"import HOLE.tif OUT.DAT --layout free --ibound IBOUND.ARR", 2,
       "read HOLE.tif: active cell (row 200, column 150) of IBOUND.ARR has no data; "
       "1 active cells lie outside the raster or on nodata"},
      {"import NEG.tif OUT.DAT --layout exp", 2,
       "write OUT.DAT: the value -2.500000 of cell (row 1, column 1) does not fit the exp layout"},
      {"import FAR.tif OUT.DAT --layout fixed", 2,
       "read FAR.tif: no cell of the model grid receives data: "
       "the raster lies outside the grid or holds only nodata there"},
      {"import FAR.tif OUT.DAT --layout fixed --ibound IBOUND.ARR", 2,
       "read FAR.tif: no active cell of IBOUND.ARR receives data"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    { std::ofstream(folder / "OUT.DAT") << "EARLIER\n"; }
    const KitgeoRun run = kitgeo(folder, c.command);
    ASSERT_EQ(run.status, c.status) << run.error;
    EXPECT_NE((c.status == 0 ? run.output : run.error).find(c.message), std::string::npos)
        << run.output << run.error;
    if (c.status != 0) {
      EXPECT_EQ(kit_test::read_text(folder / "OUT.DAT"), "EARLIER\n");
    }
    EXPECT_FALSE(fs::exists(folder / ".kitgeo-OUT.DAT"));
  }
  // Inactive cells come back as 0 and the rest as exported.
  ASSERT_EQ(kitgeo(folder, "import EXPORT.tif OUT.DAT --layout free").status, 0);
  const std::vector<double> back =
      as_doubles(read_model_array(folder, "OUT.DAT", ArrayLayout::Free));
  for (std::size_t k = 0; k < values.size(); ++k) {
    ASSERT_EQ(back[k], ibound.values()[k] == 0 ? 0.0 : values[k]) << "cell " << k;
  }
}

TEST(KitgeoPoints, PointFilesComeBackByteForByteThroughAGeopackage) {
  struct Case {
    const char* what;
    const char* options;
    const char* reported;
  };
  const Case cases[] = {
      {"points", "", "CURVE.XYZ -> CURVE.gpkg: layer CURVE, 5 points"},
      {"polygon", " --polygon", "CURVE.XYZ -> CURVE.gpkg: layer CURVE, one polygon of 5 vertices"}};
  const ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  const std::string curve =
      "300100 500100 12.5\n304100.25 500100 0\n304100 496100.75 -3\n302000 495000 1e+06\n"
      "300100 496100 0\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    { std::ofstream(folder / "CURVE.XYZ") << curve; }
    const KitgeoRun out =
        kitgeo(folder, std::string("export-points CURVE.XYZ CURVE.gpkg") + c.options);
    ASSERT_EQ(out.status, 0) << out.error;
    EXPECT_EQ(out.output, std::string(c.reported) + "\n");
    const KitgeoRun in = kitgeo(folder, "import-points CURVE.gpkg BACK.XYZ");
    ASSERT_EQ(in.status, 0) << in.error;
    EXPECT_EQ(kit_test::read_text(folder / "BACK.XYZ"), curve);
  }
}

// A point whose Z is not a finite number of single precision once reached
// the point file as "inf" or "nan", which no tool reads; now the import stops
// naming the feature (and vertex), and writes nothing.
TEST(KitgeoPoints, PointsWithoutAFiniteZAreRefusedNamingTheFeature) {
  const ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  // Two features in GeoJSON: a good point, then `second`.
  const auto geojson = [](const std::string& second) {
    return R"({"type":"FeatureCollection","features":[)"
           R"({"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[300000,500000,5]}},)"
           R"({"type":"Feature","properties":{},"geometry":)" +
           second + "}]}";
  };
  const struct {
    std::string second;  // "" for the GeoPackage written below
    std::string error;
  } cases[] = {
      {R"({"type":"Point","coordinates":[300000,500000,1e400]})",
       "read IN.json: feature 2 has a Z of inf, not a finite number of single precision"},
      {R"({"type":"Point","coordinates":[300000,500000,1e39]})",
       "read IN.json: feature 2 has a Z of 1e+39"},
      {R"({"type":"MultiPoint","coordinates":[[1,2,3],[4,5,-1e400]]})",
       "read IN.json: feature 2 has a Z of -inf"},
      {R"({"type":"Point","coordinates":[300000,500000,null]})",
       "read IN.json: feature 2 has no geometry"},
      {"", "read IN.gpkg: feature 2 has a Z of nan"},
  };
  {
    GdalSession gdal;
    DatasetPtr package(GetGDALDriverManager()->GetDriverByName("GPKG")->Create(
        (folder / "IN.gpkg").c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    ASSERT_TRUE(package);
    OGRLayer* layer = package->CreateLayer("IN", nullptr, wkbPoint25D, nullptr);
    for (const double z : {5.0, std::nan("")}) {
      OGRPoint point(300000, 500000, z);
      OGRFeature feature(layer->GetLayerDefn());
      feature.SetGeometry(&point);
      ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    const std::string input = c.second.empty() ? "IN.gpkg" : "IN.json";
    if (!c.second.empty()) std::ofstream(folder / input) << geojson(c.second);
    const KitgeoRun run = kitgeo(folder, "import-points " + input + " OUT.XYZ");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.error.rfind(c.error, 0), 0u) << run.error;
    EXPECT_FALSE(fs::exists(folder / "OUT.XYZ"));
  }
}

// export-points into a GeoPackage that holds other layers once replaced the
// whole file; it now adds its layer, or replaces the layer of its name, and
// keeps the rest. A file of that name that is no GeoPackage is replaced.
TEST(KitgeoPoints, ExportIntoAnExistingGeopackageTouchesOnlyItsOwnLayer) {
  const ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  const std::string lake = "300100 500100 1\n304100 500100 2\n304100 496100 3\n";
  const std::string lake_again = "310000 510000 9\n";
  const std::string basin = "290600 557000 0\n650000 557000 0\n650000 90000 0\n";
  const struct {
    std::string command;
    std::string file;  // written as the point file named in the command
    std::string content;
    std::string reported;  // the output, or the error
  } steps[] = {
      {"export-points LAKE.XYZ MAP.gpkg", "LAKE.XYZ", lake,
       "LAKE.XYZ -> MAP.gpkg: layer LAKE, 3 points\n"},
      {"export-points BASIN.XYZ MAP.gpkg --polygon", "BASIN.XYZ", basin,
       "BASIN.XYZ -> MAP.gpkg: layer BASIN, one polygon of 3 vertices (added; 1 other layer "
       "kept)\n"},
      {"export-points LAKE.XYZ MAP.gpkg", "LAKE.XYZ", lake_again,
       "LAKE.XYZ -> MAP.gpkg: layer LAKE, 1 points (replaced; 1 other layer kept)\n"},
      {"export-points LAKE.XYZ NOTES.gpkg", "NOTES.gpkg", "field notes, not a GeoPackage\n",
       "LAKE.XYZ -> NOTES.gpkg: layer LAKE, 1 points\n"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.command);
    std::ofstream(folder / s.file) << s.content;
    const KitgeoRun run = kitgeo(folder, s.command);
    EXPECT_EQ(run.status == 0 ? run.output : run.error, s.reported);
  }
  EXPECT_NE(kit_test::read_text(folder / "NOTES.gpkg").substr(0, 15), "field notes, no");
  const std::pair<std::string, std::string> layers[] = {{"LAKE", lake_again}, {"BASIN", basin}};
  for (const auto& [layer, points] : layers) {
    ASSERT_EQ(kitgeo(folder, "import-points MAP.gpkg BACK.XYZ --layer " + layer).status, 0)
        << layer;
    EXPECT_EQ(kit_test::read_text(folder / "BACK.XYZ"), points) << layer;
  }
  EXPECT_FALSE(fs::exists(folder / ".kitgeo-MAP.gpkg"));
  EXPECT_FALSE(fs::exists(folder / ".kitgeo-NOTES.gpkg"));
}

TEST(KitgeoCommandLine, MistakesAreOneLineNamingWhatWasWrong) {
  struct Case {
    std::string command;
    std::string error;  // the start of the error line
  };
  const std::string hint = " (kitgeo --help shows the usage)";
  const Case cases[] = {
      {"export A.DAT", "kitgeo: export takes an input and an output name, 1 was given" + hint},
      {"export A.DAT A.tif", "kitgeo: export needs --layout int|fixed|free|exp" + hint},
      {"export A.DAT A.tif --layout real",
       "kitgeo: --layout takes int|fixed|free|exp, not \"real\"" + hint},
      {"export MISSING.DAT A.tif --layout=int", "open MISSING.DAT: no such file"},
      {"import MISSING.tif B --layout int", "open MISSING.tif: no such file"},
      {"import-points MISSING.gpkg B", "open MISSING.gpkg: no such file"},
  };
  const ScratchFolder scratch;
  const fs::path& folder = scratch.path();
  for (const Case& c : cases) {
    const KitgeoRun run = kitgeo(folder, c.command);
    EXPECT_EQ(run.status, 2) << c.command;
    EXPECT_EQ(run.error.substr(0, c.error.size()), c.error) << c.command;
  }
  const KitgeoRun help = kitgeo(folder, "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.output.rfind("usage: kitgeo COMMAND", 0), 0u);
  EXPECT_TRUE(fs::is_empty(folder));
}

}  // namespace
}  // namespace kitgeo::testing
