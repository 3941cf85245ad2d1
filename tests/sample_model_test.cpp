// The main job on the sample model, run once with the built programs: the
// figures that tie the steps together, the maps, and the MODFLOW files
// against what the tools wrote.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "gridkit/arrays.hpp"
#include "gridkit/dsaa_reader.hpp"
#include "gridkit/order_maps.hpp"
#include "gridkit/points.hpp"
#include "gridkit/textfile.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/scratch_folder.hpp"
#include "tools/kitmap/canvas.hpp"
#include "tools/kitmap/maps.hpp"
#include "tools/kitmap/palette.hpp"
#include "tools/kitmodel/head_file.hpp"
#include "tools/kitmodel/kitmodel.hpp"
#include "tools/kitmodel/residuals.hpp"

namespace {

namespace fs = std::filesystem;
using gridkit::IntGrid;
using gridkit::NCOL;
using gridkit::NROW;
using gridkit::RealGrid;

// Inside the build folder, so two builds testing at once do not meet.
const fs::path kOut = fs::path(KIT_BIN_DIR).parent_path() / "sample_model_out";

using kit_test::read_lines;

IntGrid int_array(const std::string& name) { return kit_test::read_int_grid(kOut / name); }

RealGrid fixed_array(const fs::path& path) {
  gridkit::InFile f = gridkit::InFile::open_existing(path, path.filename().string());
  const RealGrid grid = gridkit::read_fixed_grid(f);
  EXPECT_FALSE(f.next_line().has_value()) << path << " is longer than one array";
  return grid;
}

class SampleModel : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const fs::path bin = KIT_BIN_DIR;
    for (const char* tool : {"lanterns", "quarrypit", "brisket", "brisket2", "brisket4", "pinchlay",
                             "layorder", "corbella", "heron2", "tallowin", "tallowex", "plover",
                             "plover-point", "avocet", "kitmap", "kitmodel", "setuppack"})
      if (!fs::exists(bin / tool)) missing_ += std::string(" ") + tool;
    if (!missing_.empty()) return;
    const std::string command =
        "KIT_SKIP_DEPS=1 KIT_SKIP_BUILD=1 KIT_BUILD_DIR=" + bin.parent_path().string() + " bash " +
        KIT_SOURCE_DIR + "/scripts/main-job.sh " + kOut.string() + " >" + kOut.string() +
        ".txt 2>&1";
    status_ = std::system(command.c_str());
  }
  void SetUp() override {
    if (!missing_.empty()) GTEST_SKIP() << "not built:" << missing_;
    ASSERT_TRUE(WIFEXITED(status_) && WEXITSTATUS(status_) == 0)
        << "main job failed; see " << (kOut.string() + ".txt");
  }
  static inline std::string missing_;
  static inline int status_ = -1;
};

TEST_F(SampleModel, StepsReadWhatTheStepBeforeWrote) {
  const IntGrid zones = int_array("ZONES.BOL");
  const RealGrid levels = fixed_array(kOut / "WLFINAL.BSK");
  int counts[3] = {0, 0, 0};  // inactive, constant head, active
  for (int i = 1; i <= NROW(); ++i)
    for (int j = 1; j <= NCOL(); ++j) {
      const int z = zones(i, j);
      ++counts[z == 0 ? 0 : z < 0 ? 1 : 2];
      // BRISKET4 gridded inside the zone array: 0.0 exactly where it is 0.
      EXPECT_EQ(levels(i, j) == 0.0f, z == 0) << "row " << i << " column " << j;
    }
  EXPECT_GT(counts[1], 100);
  EXPECT_GT(counts[2], 50000);

  // HERON2 read the same array: its mouths lie beside the lake's cells.
  std::vector<std::string> classes(NROW());  // the three class maps side by side
  for (const char* part : {"RIVERS.FL1", "RIVERS.FL2", "RIVERS.FL3"}) {
    const std::vector<std::string> lines = read_lines(kOut / part);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(NROW()));
    for (int i = 0; i < NROW(); ++i)
      classes[static_cast<std::size_t>(i)] += lines[static_cast<std::size_t>(i)];
  }
  int mouths = 0;
  for (int i = 2; i < NROW(); ++i)
    for (int j = 2; j < NCOL(); ++j) {
      if (classes[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)] != 'M')
        continue;
      ++mouths;
      bool lake = false;
      for (int di = -1; di <= 1; ++di)
        for (int dj = -1; dj <= 1; ++dj) lake = lake || zones(i + di, j + dj) < 0;
      EXPECT_TRUE(lake) << "mouth at row " << i << " column " << j;
    }
  EXPECT_EQ(mouths, 2);

  // Every river cell of the rebuilt package lies in the active area.
  const std::vector<std::string> riv = read_lines(kOut / "NEWRIVER.RIV");
  ASSERT_GT(riv.size(), 100u);
  for (std::size_t k = 2; k < riv.size(); ++k) {
    const int row = std::stoi(riv[k].substr(10, 10)), col = std::stoi(riv[k].substr(20, 10));
    EXPECT_GT(zones(row, col), 0) << riv[k];
  }
}

TEST_F(SampleModel, EveryWaterLevelLiesBetweenTheFixedPoints) {
  const IntGrid zones = int_array("ZONES.BOL");
  // The fixed values: the points, and the cells BRISKET4 holds at the
  // smoothed grid, which itself lies within the points' range.
  float lo = 1e30f, hi = -1e30f;
  gridkit::InFile points = gridkit::InFile::open_existing(kOut / "WLALL.XYZ", "WLALL.XYZ");
  while (const auto p = gridkit::read_point_single(points)) {
    lo = std::min(lo, p->z);
    hi = std::max(hi, p->z);
  }
  ASSERT_LT(lo, hi);
  for (const char* name : {"WLEVEL.BSK", "WLSMOOTH.BSK", "WLFINAL.BSK"}) {
    const RealGrid levels = fixed_array(kOut / name);
    int outside = 0;
    for (int i = 1; i <= NROW(); ++i)
      for (int j = 1; j <= NCOL(); ++j)
        if (zones(i, j) != 0 && (levels(i, j) < lo - 0.05f || levels(i, j) > hi + 0.05f)) ++outside;
    EXPECT_EQ(outside, 0) << name << " outside " << lo << " .. " << hi;
  }
}

// A map read back: size, and the colour of a cell against a legend swatch.
class Png {
 public:
  explicit Png(const fs::path& path) : s_(cairo_image_surface_create_from_png(path.c_str())) {}
  ~Png() { cairo_surface_destroy(s_); }
  bool ok() const { return cairo_surface_status(s_) == CAIRO_STATUS_SUCCESS; }
  int width() const { return cairo_image_surface_get_width(s_); }
  int height() const { return cairo_image_surface_get_height(s_); }
  kitmap::Rgb at(int x, int y) const {
    const unsigned char* p =
        cairo_image_surface_get_data(s_) + y * cairo_image_surface_get_stride(s_) + x * 4;
    const std::uint32_t w = *reinterpret_cast<const std::uint32_t*>(p);
    return {static_cast<std::uint8_t>(w >> 16), static_cast<std::uint8_t>(w >> 8),
            static_cast<std::uint8_t>(w)};
  }
  kitmap::Rgb cell(const kitmap::Layout& l, int row, int col) const {
    return at(l.cell_left(col) + l.cell_px / 2, l.cell_top(row) + l.cell_px / 2);
  }
  kitmap::Rgb swatch(const kitmap::Layout& l, int k) const {
    return at(l.legend_left() + kitmap::Layout::kSwatchWidth / 2,
              l.swatch_top(k) + kitmap::Layout::kSwatchHeight / 2);
  }

 private:
  cairo_surface_t* s_;
};

TEST_F(SampleModel, MapsHaveTheirSizeAndTheLegendsColours) {
  const kitmap::Layout layout;  // the main job's maps use the default cell size
  const IntGrid zones = int_array("ZONES.BOL");
  for (const char* name : {"levels", "zones", "thickness2", "rivers"}) {
    const Png png(kOut / "maps" / (std::string(name) + ".png"));
    ASSERT_TRUE(png.ok()) << name;
    EXPECT_EQ(png.width(), layout.width()) << name;
    EXPECT_EQ(png.height(), layout.height()) << name;
  }

  // Zones, legend from the lowest value: -1, 0, 1, 3.
  const Png zmap(kOut / "maps/zones.png");
  const std::map<int, int> legend_of{{-1, 0}, {0, 1}, {1, 2}, {3, 3}};
  std::map<int, int> checked;
  for (int i = 1; i <= NROW(); i += 7)
    for (int j = 1; j <= NCOL(); j += 5) {
      const int k = legend_of.at(zones(i, j));
      EXPECT_EQ(zmap.cell(layout, i, j), zmap.swatch(layout, k)) << "row " << i << " column " << j;
      ++checked[k];
    }
  EXPECT_EQ(checked.size(), 4u);

  // Rivers: every river cell in its order's colour (legend: inactive,
  // active, constant head, order 1, ...).
  const Png rmap(kOut / "maps/rivers.png");
  IntGrid order;
  gridkit::read_order_maps(kOut, "RIVERS", order);
  int rivers = 0;
  for (int i = 1; i <= NROW(); ++i)
    for (int j = 1; j <= NCOL(); ++j)
      if (order(i, j) > 0) {
        ++rivers;
        EXPECT_EQ(rmap.cell(layout, i, j), rmap.swatch(layout, 2 + order(i, j)));
      }
  EXPECT_GT(rivers, 400);

  // Water levels: cells well inside one band (nothing of another band
  // within 8 cells, so no contour line or label on them) have that band's
  // colour; legend from the highest band down.
  gridkit::InFile grd = gridkit::InFile::open_existing(kOut / "WLFINAL.GRD", "WLFINAL.GRD");
  const RealGrid levels = gridkit::read_dsaa_model_grid(grd);
  const kitmap::Bands bands = kitmap::level_bands(levels, zones, 20.0);
  const Png lmap(kOut / "maps/levels.png");
  std::map<int, int> bands_seen;
  for (int i = 10; i <= NROW() - 10; i += 9)
    for (int j = 10; j <= NCOL() - 10; j += 9) {
      const int band = bands.band_of(levels(i, j));
      bool clear = true;
      for (int di = -8; di <= 8 && clear; ++di)
        for (int dj = -8; dj <= 8 && clear; ++dj)
          clear = zones(i + di, j + dj) > 0 && bands.band_of(levels(i + di, j + dj)) == band;
      if (!clear) continue;
      ++bands_seen[band];
      EXPECT_EQ(lmap.cell(layout, i, j), lmap.swatch(layout, bands.count - 1 - band));
      EXPECT_EQ(lmap.cell(layout, i, j), bands.colour(band));
    }
  EXPECT_GE(bands_seen.size(), 5u);
}

// The array files a MODFLOW package names, and the format of each.
struct ArrayRecord {
  std::string file;
  std::string format;
};

std::vector<ArrayRecord> open_close_records(const fs::path& package) {
  std::vector<ArrayRecord> records;
  for (const std::string& line : read_lines(package)) {
    std::istringstream words(line);
    std::string key, file, factor, format;
    words >> key >> file >> factor >> format;
    if (key == "OPEN/CLOSE") records.push_back({file, format});
  }
  return records;
}

// Reads `path` in the layout `format` stands for; false if the file is not
// exactly one whole-grid array in that layout, each field filled.
bool holds_one_array(const fs::path& path, const std::string& format) {
  const std::optional<gridkit::ArrayLayout> layout = gridkit::layout_with_format(format);
  if (!layout || *layout == gridkit::ArrayLayout::Free) return false;
  gridkit::InFile f = gridkit::InFile::open_existing(path, path.filename().string());
  gridkit::IntGrid ints;
  gridkit::RealGrid reals;
  *layout == gridkit::ArrayLayout::Int ? gridkit::read_grid(f, ints, *layout)
                                       : gridkit::read_grid(f, reals, *layout);
  const int per_line = *layout == gridkit::ArrayLayout::Int     ? 25
                       : *layout == gridkit::ArrayLayout::Fixed ? 10
                                                                : 8;
  if (f.line_number() != NROW() * ((NCOL() + per_line - 1) / per_line) || f.next_line().has_value())
    return false;
  for (const std::string& line : read_lines(path))
    if (line.size() > (per_line == 25 ? 75u : 80u) || line.find("**") != std::string::npos)
      return false;
  return true;
}

TEST_F(SampleModel, ModflowFilesMatchTheKitsOutputs) {
  const fs::path mf = kOut / "mf2005";
  std::map<std::string, std::string> by_type;
  for (const std::string& line : read_lines(mf / "sample.nam")) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string type, unit, file;
    words >> type >> unit >> file;
    by_type[type] = file;
    const bool output = type == "LIST" || type.rfind("DATA", 0) == 0;  // written by MODFLOW
    if (!output) {
      EXPECT_TRUE(fs::exists(mf / file)) << line;
    }
  }
  for (const char* type : {"LIST", "DIS", "BAS6", "LPF", "RIV", "RCH", "PCG", "OC"})
    EXPECT_EQ(by_type.count(type), 1u) << type;

  // Every array record names a file of the kit in the layout it was written.
  const std::map<std::string, std::vector<std::string>> expected{
      {"DIS", {"PTOP1.MOD", "PBOT1.MOD", "PBOT2.MOD", "PBOT3.MOD", "PBOT4.MOD"}},
      {"BAS6",
       {"ZONES.BOL", "ZONES.BOL", "ZONES.BOL", "ZONES.BOL", "WLFINAL.BSK", "WLFINAL.BSK",
        "WLFINAL.BSK", "WLFINAL.BSK"}},
      {"LPF",
       {"LAY1.KH", "LAY1.KV", "LAY2.KH", "LAY2.KV", "LAY3.KH", "LAY3.KV", "LAY4.KH", "LAY4.KV"}}};
  const std::map<std::string, std::string> format_of{{".MOD", "(10F8.1)"},
                                                     {".BSK", "(10F8.1)"},
                                                     {".BOL", "(25I3)"},
                                                     {".KH", "(8E10.5)"},
                                                     {".KV", "(8E10.5)"}};
  for (const auto& [type, files] : expected) {
    const std::vector<ArrayRecord> records = open_close_records(mf / by_type[type]);
    ASSERT_EQ(records.size(), files.size()) << type;
    for (std::size_t k = 0; k < files.size(); ++k) {
      const fs::path file = mf / records[k].file;
      EXPECT_EQ(file.filename(), files[k]) << type;
      EXPECT_EQ(records[k].format, format_of.at(file.extension().string())) << records[k].file;
      EXPECT_TRUE(holds_one_array(file, records[k].format))
          << records[k].file << " " << records[k].format;
    }
  }

  // The river package holds HERON2's reaches, every one, with their values,
  // and its header counts them.
  const std::vector<std::string> riv = read_lines(mf / by_type["RIV"]);
  const std::vector<std::string> heron = read_lines(kOut / "NEWRIVER.RIV");
  ASSERT_EQ(riv.size(), heron.size() + 1);
  const std::string count = std::to_string(heron.size() - 2);
  EXPECT_EQ(riv[1], count + " 0");
  EXPECT_EQ(riv[2], count + " 0");
  for (std::size_t k = 2; k < heron.size(); ++k) {
    std::istringstream ours(riv[k + 1]), theirs(heron[k]);
    for (int field = 0; field < 6; ++field) {
      std::string a, b;
      ours >> a;
      theirs >> b;
      EXPECT_EQ(std::stof(a), std::stof(b)) << riv[k + 1] << " | " << heron[k];
    }
  }
}

// kitmodel check on the sample finds nothing; on a copy with six faults
// planted it names each one and its cell.
TEST_F(SampleModel, ModelCheckFindsPlantedFaultsAndNothingElse) {
  std::ostringstream out, err;
  EXPECT_EQ(kitmodel::run_kitmodel({"check", "MODEL.toml"}, kOut, out, err), 0) << err.str();
  EXPECT_EQ(out.str().find("error:"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("sample: 0 errors, 0 warnings, 0 notes"), std::string::npos)
      << out.str();

  const kit_test::ScratchFolder copy;
  for (const char* name : {"MODEL.toml", "ZONES.BOL", "PTOP1.MOD", "WLFINAL.BSK", "PBOT1.MOD",
                           "PBOT2.MOD", "PBOT3.MOD", "PBOT4.MOD", "LAY1.KH", "LAY1.KV", "LAY2.KH",
                           "LAY2.KV", "LAY3.KH", "LAY3.KV", "LAY4.KH", "LAY4.KV", "NEWRIVER.RIV"})
    fs::copy_file(kOut / name, copy / name);
  const std::vector<std::string> riv = read_lines(kOut / "NEWRIVER.RIV");
  // A reach record with its stage, conductance and bottom replaced.
  auto record = [&](std::size_t line, const std::string& fields) {
    return riv[line - 1].substr(0, 30) + fields;
  };
  std::string planted;
  for (std::size_t k = 1; k <= riv.size(); ++k) {
    if (k == 3)
      planted +=
          record(3, "     400.0   3.28084     401.0         0      0");  // stage below bottom
    else if (k == 4)
      planted += record(4, riv[3].substr(30, 10) + "  -3.28084" + riv[3].substr(50));
    else if (k == 5)
      planted += riv[4].substr(0, 30) + "    1500.0   3.28084     440.0         0      0";
    else
      planted += riv[k - 1];
    planted += "\n";
  }
  planted += riv[9] + "\n";  // reach 8 again: a reach line ending, not a junction
  planted +=
      "         1         1         1     450.0   3.28084     447.7         0      0\n";  // inactive
  copy.write("NEWRIVER.RIV", planted);
  // K of zero at row 200, column 150 of layer 2 (row 200 starts on line 199 * 46 + 1 of 8 a line).
  std::vector<std::string> kh = read_lines(kOut / "LAY2.KH");
  kh[199 * 46 + 18].replace(50, 10, ".00000E+00");
  std::string kh_text;
  for (const std::string& line : kh) kh_text += line + "\n";
  copy.write("LAY2.KH", kh_text);

  std::ostringstream found, problems;
  EXPECT_EQ(kitmodel::run_kitmodel({"check", "MODEL.toml"}, copy.path(), found, problems),
            kitmodel::kFindingsStatus)
      << problems.str();
  const auto cell_of = [&](std::size_t line) {
    std::istringstream words(riv[line - 1]);
    int layer, row, col;
    words >> layer >> row >> col;
    return "layer " + std::to_string(layer) + ", row " + std::to_string(row) + ", column " +
           std::to_string(col);
  };
  const std::string report = found.str();
  for (const std::string& expected :
       {"error: stage below river bottom: " + cell_of(3) + ": stage 400, bottom 401",
        "error: negative conductance: " + cell_of(4) + ": conductance -3.28084",
        "error: stage more than 10 length units above the top: " + cell_of(5) + ": stage 1500",
        "error: two reaches in one cell: " + cell_of(10),
        std::string("error: river reach in an inactive cell: layer 1, row 1, column 1"),
        std::string("error: horizontal conductivity not above 0 in an active cell: layer 2, row "
                    "200, column 150: K 0")})
    EXPECT_NE(report.find(expected), std::string::npos) << expected << "\n" << report;
}

// The sample run by both versions when the main job found them on the PATH.
TEST_F(SampleModel, BothModflowVersionsRunAndAgree) {
  if (!fs::exists(kOut / "mf6" / "sample.hds") || !fs::exists(kOut / "mf2005" / "sample.hds"))
    GTEST_SKIP() << "mf6 and mf2005 not both on the PATH: the sample model was written, not run";
  auto discrepancy = [](const fs::path& listing) {
    double last = 100.0;
    for (const std::string& line : read_lines(listing)) {
      const std::size_t at = line.find("PERCENT DISCREPANCY =");
      if (at != std::string::npos) last = std::stod(line.substr(at + 21));
    }
    return std::fabs(last);
  };
  EXPECT_LT(discrepancy(kOut / "mf6" / "sample.lst"), 0.01);
  EXPECT_LT(discrepancy(kOut / "mf2005" / "sample.lst"), 0.1);
  for (const char* log : {"mf6/mf6.log", "mf2005/mf2005.log"})
    EXPECT_NE(kit_test::read_text(kOut / log).find("Normal termination"), std::string::npos) << log;

  const kitmodel::HeadLayer mf6 = kitmodel::read_head_layer(kOut / "mf6" / "sample.hds", "mf6", {});
  const kitmodel::HeadLayer mf2005 =
      kitmodel::read_head_layer(kOut / "mf2005" / "sample.hds", "mf2005", {});
  int compared = 0;
  double worst = 0.0;
  for (int r = 1; r <= NROW(); ++r) {
    for (int c = 1; c <= NCOL(); ++c) {
      if (!kitmodel::is_head(mf6.at(r, c)) || !kitmodel::is_head(mf2005.at(r, c))) continue;
      ++compared;
      worst = std::max(worst, std::fabs(mf6.at(r, c) - mf2005.at(r, c)));
    }
  }
  EXPECT_GT(compared, 90000);
  EXPECT_LE(worst, 0.1) << "largest difference of the layer-1 heads, ft";

  std::vector<gridkit::PointF> wells;
  gridkit::InFile points = gridkit::InFile::open_existing(kOut / "WLPOINTS.XYZ", "WLPOINTS.XYZ");
  while (const auto p = gridkit::read_point_single(points)) wells.push_back(*p);
  const kitmodel::ResidualSummary summary =
      kitmodel::summarize(kitmodel::compare_points(wells, mf6));
  EXPECT_EQ(summary.used, wells.size());
  ASSERT_TRUE(summary.rmse_percent_of_range.has_value());
  EXPECT_LE(*summary.rmse_percent_of_range, 5.0) << "RMSE " << summary.rmse;
}

}  // namespace
