// Stream-order maps: the split into 123-column files for any width, the
// digit or "*" of each order and its way back, and the files refused.
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/error.hpp"
#include "gridkit/order_maps.hpp"
#include "tests/support/scratch_folder.hpp"

namespace gridkit {
namespace {

TEST(OrderMaps, RowsSplitIntoPiecesOf123Columns) {
  EXPECT_EQ(map_pieces(NCOL()), (std::vector<MapPiece>{{1, 123}, {124, 246}, {247, 361}}))
      << "the model grid";
  EXPECT_EQ(map_pieces(123), (std::vector<MapPiece>{{1, 123}})) << "exactly one piece";
  EXPECT_EQ(map_pieces(124), (std::vector<MapPiece>{{1, 123}, {124, 124}}))
      << "one column more: a second piece";
}

// Orders 0, 9, 10 and 123 in columns 121-124 of row 2, across two pieces:
// shown as 0, 9, * and *, read back as 0, 9, 10 and 10.
TEST(OrderMaps, DigitsAndStarsComeBack) {
  const kit_test::ScratchFolder dir;
  IntGrid order(2, 130), back(2, 130);
  order(2, 122) = 9, order(2, 123) = 10, order(2, 124) = 123;
  {
    OutFile first(dir / "R.OR1", "R.OR1"), second(dir / "R.OR2", "R.OR2");
    write_order_maps(std::array{&first, &second}, order);
  }
  EXPECT_EQ(dir.read("R.OR1"), std::string(123, '0') + "\n" + std::string(120, '0') + "09*\n");
  EXPECT_EQ(dir.read("R.OR2"), "0000000\n*000000\n");
  read_order_maps(dir.path(), "R", back);
  order(2, 124) = 10;
  EXPECT_EQ(back.values(), order.values());
}

TEST(OrderMaps, FilesThatAreNoOrderMapAreNamed) {
  const kit_test::ScratchFolder dir;
  const std::pair<std::string, std::string> cases[] = {
      {"0*x\n", "read R.OR1 line 1: expected 123 order digits, found \"0*x\""},
      {std::string(122, '1') + "x\n",
       "read R.OR1 line 1: not an order digit, found \"" + std::string(40, '1') + "...\""},
      {std::string(123, '*') + "\n", "read R.OR1: end of file after line 1"},
  };
  for (const auto& [text, error] : cases) {
    dir.write("R.OR1", text);
    IntGrid order(2, 123);
    std::string message;
    try {
      read_order_maps(dir.path(), "R", order);
    } catch (const KitError& e) {
      message = e.what();
    }
    EXPECT_EQ(message, error);
  }
}

}  // namespace
}  // namespace gridkit
