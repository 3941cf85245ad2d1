// The head reader on files of every form, on damaged and foreign files, and
// the heads command on a layer of the model grid.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "gridkit/arrays.hpp"
#include "gridkit/dsaa_reader.hpp"
#include "gridkit/error.hpp"
#include "gridkit/textfile.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/scratch_folder.hpp"
#include "tools/kitmodel/head_file.hpp"
#include "tools/kitmodel/readback_commands.hpp"
#include "tools/kitmodel/tests/head_files.hpp"

namespace {

using kitmodel::HeadForm;
using kitmodel::HeadLayer;
using kitmodel::RecordChoice;
using kitmodel_test::Record;

constexpr HeadForm kForms[] = {HeadForm::Stream44, HeadForm::Sequential44, HeadForm::Stream52,
                               HeadForm::Sequential52};
constexpr int kCols = 3;
constexpr int kRows = 2;

// Value k of a layer at a period and step: exact in single precision.
double value_of(int layer, int period, int step, int k) {
  return 100.0 * layer + 10.0 * period + step + 0.25 * k;
}

// Period 1 step 1, then period 2 steps 1 and 2; two layers each.
std::vector<Record> two_periods() {
  std::vector<Record> records;
  for (auto [period, step] : {std::pair{1, 1}, {2, 1}, {2, 2}})
    for (int layer = 1; layer <= 2; ++layer) {
      Record r{step, period, 10.0 * period + step, layer};
      for (int k = 0; k < kCols * kRows; ++k) r.values.push_back(value_of(layer, period, step, k));
      records.push_back(r);
    }
  return records;
}

HeadLayer read(const std::vector<std::byte>& bytes, const RecordChoice& choice) {
  const kitmodel::MemorySource source(bytes);
  return kitmodel::read_head_layer(source, "test.hds", choice);
}

std::string error_of(const std::vector<std::byte>& bytes, const RecordChoice& choice = {}) {
  try {
    read(bytes, choice);
  } catch (const gridkit::KitError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(HeadReader, TakesTheChosenRecordInEveryForm) {
  struct Case {
    RecordChoice choice;
    int period, step;
    const char* reason;
  };
  const Case cases[] = {
      {{1, {}, {}}, 2, 2, "the last record of the layer by default"},
      {{2, 1, {}}, 1, 1, "the last of the period given"},
      {{1, {}, 1}, 2, 1, "the last record with the step given"},
      {{2, 2, 1}, 2, 1, "period and step both given"},
  };
  for (HeadForm form : kForms) {
    const auto bytes = kitmodel_test::head_file(form, kCols, kRows, two_periods());
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(kitmodel::form_name(form)) + ": " + c.reason);
      const HeadLayer layer = read(bytes, c.choice);
      EXPECT_EQ(layer.form, form);
      EXPECT_EQ(layer.records, 6);
      EXPECT_EQ(layer.layer, c.choice.layer);
      EXPECT_EQ(layer.period, c.period);
      EXPECT_EQ(layer.step, c.step);
      EXPECT_EQ(layer.total_time, 10.0 * c.period + c.step);
      ASSERT_EQ(layer.ncol, kCols);
      ASSERT_EQ(layer.nrow, kRows);
      EXPECT_EQ(layer.at(2, 3), value_of(c.choice.layer, c.period, c.step, 5));
      EXPECT_EQ(layer.at(1, 1), value_of(c.choice.layer, c.period, c.step, 0));
    }
  }
}

TEST(HeadReader, EveryProperPrefixOfARecordIsRefused) {
  // A cut anywhere inside a file of one record is truncation, never a crash
  // or a shorter array read as if whole.
  for (HeadForm form : kForms) {
    const auto whole = kitmodel_test::head_file(form, kCols, kRows, {two_periods()[0]});
    for (std::size_t size = 0; size < whole.size(); ++size) {
      SCOPED_TRACE(std::string(kitmodel::form_name(form)) + ", " + std::to_string(size) + " bytes");
      const std::vector<std::byte> cut(whole.begin(), whole.begin() + static_cast<long>(size));
      EXPECT_NE(error_of(cut).find("test.hds"), std::string::npos);
    }
  }
}

TEST(HeadReader, NamesWhatIsWrong) {
  const auto stream44 = kitmodel_test::head_file(HeadForm::Stream44, kCols, kRows, two_periods());
  const auto seq52 = kitmodel_test::head_file(HeadForm::Sequential52, kCols, kRows, two_periods());
  auto extra = stream44;
  extra.resize(extra.size() + 3);
  auto bad_marker = seq52;
  bad_marker[bad_marker.size() - 1] = std::byte{1};  // the last array's closing marker
  auto bad_second = stream44;
  const std::size_t second_ncol = 44 + kCols * kRows * 4 + 32;
  std::memset(bad_second.data() + second_ncol, 0, 4);
  Record drawdown{1, 1, 1.0, 1, std::vector<double>(kCols * kRows, 0.0), "DRAWDOWN"};
  const std::string text = "DSAA\n361 470\n290568 650568\n88128 557128\n0 1\n";
  std::vector<std::byte> foreign(text.size());
  std::memcpy(foreign.data(), text.data(), text.size());
  struct Case {
    std::vector<std::byte> bytes;
    RecordChoice choice;
    std::string expected;
    const char* reason;
  };
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {{}, {}, "test.hds: empty, not a MODFLOW binary head file", "an empty file"},
      {foreign, {}, "not a MODFLOW binary head file: its first 44 bytes are no record header",
       "a text grid"},
      {extra, {},
       "truncated: record 7 (from byte 408) needs 44 more bytes at byte 408, "
       "the file ends 3 bytes later (read as MODFLOW-2005 single precision, stream",
       "bytes after the last record"},
      {bad_marker, {},
       "record 6 (from byte 580) is not a head record: "
       "the record marker at byte 692 is 16777264, not the 48 bytes of its array",
       "a sequential array whose closing marker is wrong"},
      {bad_second, {}, "record 2 (from byte 68) is not a head record: NCOL 0, NROW 2, layer 2",
       "a damaged header after a good record"},
      {stream44, {3, {}, {}},
       "holds no heads of layer 3 (it holds layers 1 to 2; "
       "its last record is stress period 2, time step 2)", "a layer the model does not have"},
      {stream44, {1, 3, {}}, "holds no heads of layer 1, stress period 3", "a period not saved"},
      {kitmodel_test::head_file(HeadForm::Stream52, kCols, kRows, {drawdown}), {},
       "holds no HEAD records (its records are \"DRAWDOWN\")", "a drawdown file"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    EXPECT_NE(error_of(c.bytes, c.choice).find(c.expected), std::string::npos)
        << error_of(c.bytes, c.choice);
  }
}

TEST(HeadReader, TellsHeadsFromInactiveAndDryMarks) {
  struct Case {
    double value;
    std::optional<float> also;  // --no-head
    bool head;
    const char* reason;
  };
  const Case cases[] = {
      {432.5, {}, true, "an ordinary head"},
      {-999.9, {}, true, "close to, but not, MODFLOW-2005's usual HNOFLO"},
      {1.0e30, {}, false, "MODFLOW 6 inactive"},
      {-1.0e30, {}, false, "MODFLOW 6 dry"},
      {static_cast<float>(1.0e30), {}, false, "1E+30 stored in single precision"},
      {-999.99, {}, false, "HNOFLO of MODFLOW-2005 models, double"},
      {static_cast<float>(-999.99), {}, false, "the same in single precision"},
      {-888.0, {}, false, "HDRY of the kit's MODFLOW-2005 sample"},
      {1.70141e38, {}, false, "Surfer's blank"},
      {std::numeric_limits<double>::quiet_NaN(), {}, false, "not a number"},
      {0.0, {}, true, "0 is a head unless the model says otherwise"},
      {0.0, 0.0f, false, "a model's own HNOFLO of 0"},
      {-9999.0, -9999.0f, false, "a model's own HDRY"},
  };
  for (const Case& c : cases) EXPECT_EQ(kitmodel::is_head(c.value, c.also), c.head) << c.reason;
}

// A layer of the model grid: inactive along column 1, dry at row 2 column 2,
// heads elsewhere.
std::vector<std::byte> model_layer_file() {
  Record r{1, 1, 1.0, 1};
  for (int row = 1; row <= gridkit::NROW(); ++row)
    for (int col = 1; col <= gridkit::NCOL(); ++col)
      r.values.push_back(col == 1               ? 1.0e30
                         : row == 2 && col == 2 ? -1.0e30
                                                : 400.0 + row * 0.5 - col * 0.25);
  Record other = r;
  other.layer = 2;
  return kitmodel_test::head_file(HeadForm::Stream52, gridkit::NCOL(), gridkit::NROW(), {r, other});
}

void write_bytes(const std::filesystem::path& file, const std::vector<std::byte>& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(HeadsCommand, WritesTheLayerAsGridAndArray) {
  kit_test::ScratchFolder folder;
  write_bytes(folder / "model.hds", model_layer_file());
  std::ostringstream out;
  const std::vector<std::string> args = {"model.hds", "--layer", "1", "--out", "L1"};
  kitmodel::heads_command(args, out, folder.path());
  EXPECT_NE(out.str().find("169199 cells with a head from 310.3 to 634.5, 471 inactive or dry"),
            std::string::npos)
      << out.str();

  gridkit::InFile grd = gridkit::InFile::open_existing(folder / "L1.GRD", "L1.GRD");
  const gridkit::DsaaGrid grid = gridkit::read_dsaa(grd);
  EXPECT_EQ(grid.zlo, 310.25);
  EXPECT_EQ(grid.zhi, 634.5);
  gridkit::InFile grd_again = gridkit::InFile::open_existing(folder / "L1.GRD", "L1.GRD");
  const gridkit::RealGrid z = gridkit::read_dsaa_model_grid(grd_again);
  const gridkit::RealGrid arr = kit_test::read_fixed_grid(folder / "L1.ARR");
  struct Cell {
    int row, col;
    float grd, arr;
    const char* reason;
  };
  const Cell cells[] = {
      {1, 1, gridkit::kDsaaBlank, kitmodel::kArrayNoHead, "inactive"},
      {2, 2, gridkit::kDsaaBlank, kitmodel::kArrayNoHead, "dry"},
      {2, 3, 400.3f, 400.3f, "400.25 to one decimal, halves away from zero"},
      {470, 361, 544.8f, 544.8f, "the last cell"},
  };
  for (const Cell& c : cells) {
    EXPECT_EQ(z(c.row, c.col), c.grd) << c.reason;
    EXPECT_EQ(arr(c.row, c.col), c.arr) << c.reason;
  }
}

TEST(HeadsCommand, RefusesWhatWouldLoseDataOrMislead) {
  kit_test::ScratchFolder folder;
  write_bytes(folder / "model.hds", model_layer_file());
  Record huge{1, 1, 1.0, 1, std::vector<double>(gridkit::NCOL() * gridkit::NROW(), 2345678.0)};
  write_bytes(folder / "huge.hds", kitmodel_test::head_file(HeadForm::Stream44, gridkit::NCOL(),
                                                            gridkit::NROW(), {huge}));
  Record dry{1, 1, 1.0, 1, std::vector<double>(gridkit::NCOL() * gridkit::NROW(), -888.0)};
  write_bytes(folder / "dry.hds", kitmodel_test::head_file(HeadForm::Stream44, gridkit::NCOL(),
                                                           gridkit::NROW(), {dry}));
  write_bytes(folder / "small.hds",
              kitmodel_test::head_file(HeadForm::Stream44, kCols, kRows, two_periods()));
  struct Case {
    std::vector<std::string> args;
    std::string expected;
    const char* reason;
  };
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {{"model.GRD", "--layer", "1", "--out", "model"},
       "the output model.GRD would replace the input model.GRD",
       "the head file named as an output"},
      {{"huge.hds", "--layer", "1", "--out", "H"}, "row 1, column 1: head 2345678.000 does not fit",
       "a head the array's field cannot show"},
      {{"dry.hds", "--layer", "1", "--out", "D"}, "every cell is inactive or dry",
       "nothing to map"},
      {{"small.hds", "--layer", "1", "--out", "S"}, "its grid has 3 columns and 2 rows",
       "another grid"},
      {{"model.hds", "--out", "M"}, "--layer K is needed", "no layer"},
      {{"model.hds", "--layer", "0", "--out", "M"}, "--layer takes a whole number of 1 or more",
       "layer 0"},
      {{"nothing.hds", "--layer", "1", "--out", "M"}, "nothing.hds", "a missing file"},
      {{".", "--layer", "1", "--out", "M"}, "not a regular file", "a folder"},
  };
  // clang-format on
  std::filesystem::copy_file(folder / "model.hds", folder / "model.GRD");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    std::ostringstream out;
    try {
      kitmodel::heads_command(c.args, out, folder.path());
      ADD_FAILURE() << "no error";
    } catch (const gridkit::KitError& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(folder.read("model.GRD"), folder.read("model.hds"));  // left as it was
  for (const char* name : {"H.GRD", "H.ARR", "D.GRD", "S.GRD", "M.GRD"})
    EXPECT_FALSE(folder.has(name)) << name;
}

}  // namespace
