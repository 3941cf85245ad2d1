// Reading and writing the river package: fixed columns, implied whole
// numbers, the last record for a cell winning, and clear reports for bad
// records.
#include <gtest/gtest.h>

#include "gridkit/error.hpp"
#include "tools/heron2/river_package.hpp"

namespace heron2::test {
namespace {

std::string error_of(const std::string& text) {
  gridkit::InFile file = gridkit::InFile::from_text("RIVER.DAT", text);
  RiverCells cells;
  try {
    read_package_header(file);
    read_package_records(file, cells);
  } catch (const gridkit::KitError& e) {
    return e.what();
  }
  return "";
}

TEST(Package, RecordsFillTheirCellsAndTheLastOneWins) {
  gridkit::InFile file = gridkit::InFile::from_text(
      "RIVER.DAT",
      "       120        -1\n"
      "        77\n"
      //        layer       row    column     stage   conduct    bottom    iextra1 iextra2
      "         1        20        30      1234       5.5       100         4      9\n"
      "         3         5         6     12.25       2.0      10.5        -2    123 trailing "
      "text\n"
      "         2        20        30     200.5      7.25       190         8\n");
  const PackageHeader header = read_package_header(file);
  EXPECT_EQ(header.max_reaches, 120);
  EXPECT_EQ(header.budget_unit, -1);
  EXPECT_EQ(header.reach_count, 77);
  RiverCells cells;
  const PackageTail tail = read_package_records(file, cells);
  EXPECT_EQ(tail.layer, 2);
  EXPECT_EQ(tail.conductance, 7.25f);
  // (20,30) named twice: the second record wins, its missing last field reads 0.
  EXPECT_EQ(cells.stage(20, 30), 200.5f);
  EXPECT_EQ(cells.bottom(20, 30), 190.0f);  // no point: a whole number, not 19.0
  EXPECT_EQ(cells.iextra1(20, 30), 8);
  EXPECT_EQ(cells.iextra2(20, 30), 0);
  EXPECT_EQ(cells.stage(5, 6), 12.25f);
  EXPECT_EQ(cells.bottom(5, 6), 10.5f);
  EXPECT_EQ(cells.iextra1(5, 6), -2);
  EXPECT_EQ(cells.iextra2(5, 6), 123);
  EXPECT_EQ(cells.river_flag(20, 30), 1);
  EXPECT_EQ(cells.river_flag(5, 6), 1);
  EXPECT_EQ(cells.river_flag(5, 7), 0);
}

TEST(Package, ItmpDoesNotStopTheRead) {
  gridkit::InFile file = gridkit::InFile::from_text(
      "RIVER.DAT",
      "1 0\n         1\n         1         2         2         1         1         1\n"
      "         1         3         3         1         1         1\n");
  // Line 1 holds "1 0" in columns 1-10: blanks inside a field are ignored.
  const PackageHeader header = read_package_header(file);
  EXPECT_EQ(header.max_reaches, 10);
  RiverCells cells;
  read_package_records(file, cells);
  EXPECT_EQ(cells.river_flag(3, 3), 1);
}

TEST(Package, BadRecordsAreReportedWithTheirLine) {
  const std::string head = "        10         0\n         2\n";
  const std::string good =
      "         1         2         2       1.0       1.0       1.0         0      0\n";
  EXPECT_NE(error_of(head + good + "         1       471         5       1.0       1.0       1.0\n")
                .find("RIVER.DAT line 4"),
            std::string::npos);
  EXPECT_NE(error_of(head + "         1         4       362       1.0\n").find("row 4, column 362"),
            std::string::npos);
  // A blank line inside the records reads as row 0, which no cell has; blank
  // lines at the end are no records (HERON2 once stopped on one).
  EXPECT_NE(error_of(head + good + "\n" + good).find("line 4"), std::string::npos);
  EXPECT_EQ(error_of(head + good + "\n \r\n\n"), "");
  EXPECT_NE(error_of(head + "         1         4         5       1.x\n").find("stage"),
            std::string::npos);
  EXPECT_NE(error_of(head + "         1         4         5       1.0   (three)\n").find("line 3"),
            std::string::npos);
  EXPECT_NE(error_of("        10\n").find("end of file"), std::string::npos);
  EXPECT_NE(error_of("").find("end of file"), std::string::npos);
  EXPECT_NE(error_of(head + "         1         4         5       1.0       1.0       1.0"
                            "99999999999\n")
                .find("line 3"),
            std::string::npos);
  EXPECT_EQ(error_of(head + good), "");
}

TEST(Package, OutputRecordLayout) {
  // R1 rounding of 262.467194, and a bottom that rounds to zero shows no sign.
  EXPECT_EQ(river_record(1, {458, 90}, 262.467194f, 262.467194f, -0.04f, 12, -5),
            "         1       458        90     262.5 262.46720        .0        12     -5");
  // Too wide for their fields: asterisks; 1.25 is a tie and rounds away from zero.
  EXPECT_EQ(river_record(3, {1, 361}, 99999999.0f, 0.5f, 1.25f, 1234567890, 12345678),
            "         3         1       361**********    .50000       1.31234567890*******");
  const PackageHeader header{1200, -1, 77};
  EXPECT_EQ(header_line1(header), "      1200        -1");
  EXPECT_EQ(header_line2(header), "        77");
}

}  // namespace
}  // namespace heron2::test
