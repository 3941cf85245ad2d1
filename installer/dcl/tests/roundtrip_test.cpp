// The compressor through the decoder in every mode over varied data.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "installer/dcl/explode.hpp"
#include "installer/dcl/implode.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes text_like(std::size_t size, unsigned seed) {
  static const char* const kWords[] = {"the",   "river", "cell",  "layer",      "head", "grid",
                                       "model", "zone",  "flow",  "of",         "and",  "boundary",
                                       "stage", "well",  "water", "sand",       "clay", "in",
                                       "is",    "a",     "to",    "conductance"};
  std::mt19937 rng(seed);
  std::string s;
  while (s.size() < size) {
    s += kWords[rng() % std::size(kWords)];
    const unsigned r = rng() % 20;
    s += r == 0 ? ".\n" : r == 1 ? ", " : r == 2 ? " " + std::to_string(rng() % 1000) + " " : " ";
  }
  s.resize(size);
  return {s.begin(), s.end()};
}

Bytes random_bytes(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(size);
  for (auto& x : b) x = static_cast<std::uint8_t>(rng());
  return b;
}

Bytes runs(std::size_t size) {
  Bytes b;
  std::mt19937 rng(5);
  while (b.size() < size) b.insert(b.end(), 1 + rng() % 2000, static_cast<std::uint8_t>(rng() % 3));
  b.resize(size);
  return b;
}

// Text, binary records, runs and noise, with repeats far and near.
Bytes mixed(std::size_t size) {
  Bytes b;
  std::mt19937 rng(9);
  while (b.size() < size) {
    Bytes part;
    switch (rng() % 4) {
      case 0: part = text_like(1 + rng() % 20000, static_cast<unsigned>(rng())); break;
      case 1: part = random_bytes(1 + rng() % 3000, static_cast<unsigned>(rng())); break;
      case 2: part = runs(1 + rng() % 5000); break;
      default:
        if (b.size() > 10000) {  // an old stretch again, beyond every window
          const std::size_t from = rng() % (b.size() - 5000);
          part.assign(b.begin() + static_cast<long>(from),
                      b.begin() + static_cast<long>(from + 5000));
        }
    }
    b.insert(b.end(), part.begin(), part.end());
  }
  b.resize(size);
  return b;
}

struct Sample {
  std::string name;
  Bytes bytes;
};

std::vector<Sample> samples() {
  Bytes all_values(256 * 3);
  for (std::size_t i = 0; i < all_values.size(); ++i)
    all_values[i] = static_cast<std::uint8_t>(i * 7);
  return {
      {"empty", {}},
      {"one byte", {0x41}},
      {"two bytes", {0, 0}},
      {"all byte values", all_values},
      {"runs", runs(50000)},
      {"zeros", Bytes(100000, 0)},
      {"text", text_like(200000, 1)},
      {"random", random_bytes(70000, 2)},
      {"mixed 2 MiB", mixed(2U << 20)},
  };
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<dcl::LiteralCoding, unsigned>> {};

TEST_P(RoundTrip, EverySampleComesBack) {
  const auto [literals, window] = GetParam();
  for (const Sample& sample : samples()) {
    for (const dcl::ParseMode parse :
         {dcl::ParseMode::optimal, dcl::ParseMode::greedy, dcl::ParseMode::plain_greedy}) {
      if (parse != dcl::ParseMode::optimal && sample.bytes.size() > 500000) continue;
      const Bytes stream = dcl::implode(sample.bytes, {literals, window, parse});
      ASSERT_GE(stream.size(), 5U) << sample.name;
      EXPECT_EQ(stream[0], literals == dcl::LiteralCoding::ascii ? 1 : 0);
      EXPECT_EQ(stream[1], window == 1024 ? 4 : window == 2048 ? 5 : 6);
      const dcl::Exploded back = dcl::explode_bytes(stream);
      EXPECT_EQ(back.result, dcl::ExplodeResult::ok) << sample.name;
      EXPECT_TRUE(back.bytes == sample.bytes) << sample.name << " window " << window;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllModes, RoundTrip,
                         ::testing::Combine(::testing::Values(dcl::LiteralCoding::binary,
                                                              dcl::LiteralCoding::ascii),
                                            ::testing::Values(1024U, 2048U, 4096U)));

TEST(Implode, EmptyInputIsPaddedToFiveBytes) {
  // Header, end code and one zero byte, so that the first read is long enough.
  const Bytes stream = dcl::implode({}, {});
  EXPECT_EQ(stream, (Bytes{0, 5, 0x01, 0xFF, 0x00}));
}

TEST(Implode, OptimalParseIsNeverLargerThanEitherGreedyMode) {
  for (const Sample& sample : samples()) {
    if (sample.bytes.size() > 500000) continue;
    for (const auto literals : {dcl::LiteralCoding::binary, dcl::LiteralCoding::ascii}) {
      const auto optimal = dcl::implode(sample.bytes, {literals, 4096, dcl::ParseMode::optimal});
      const auto greedy = dcl::implode(sample.bytes, {literals, 4096, dcl::ParseMode::greedy});
      const auto plain = dcl::implode(sample.bytes, {literals, 4096, dcl::ParseMode::plain_greedy});
      EXPECT_LE(optimal.size(), greedy.size()) << sample.name;
      EXPECT_LE(greedy.size(), plain.size()) << sample.name << ": the cost check never loses";
    }
  }
}

TEST(Implode, CompressesRepetitiveInput) {
  const Bytes text = text_like(100000, 4);
  EXPECT_LT(dcl::implode(text, {dcl::LiteralCoding::ascii, 4096}).size(), text.size() / 2);
  EXPECT_LT(dcl::implode(Bytes(100000, 7), {}).size(), 600U);
}

TEST(Implode, RejectsOtherWindowSizes) {
  for (unsigned size : {0U, 512U, 1000U, 8192U}) {
    EXPECT_THROW(dcl::implode({}, {dcl::LiteralCoding::binary, size}), std::invalid_argument);
    EXPECT_FALSE(dcl::valid_dictionary_size(size));
  }
}

}  // namespace
