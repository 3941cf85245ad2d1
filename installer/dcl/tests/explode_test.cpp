// The decoder against hand-assembled streams: header checks, block output,
// stream ends, every length and distance symbol, overlapping copies and the
// window limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "installer/dcl/explode.hpp"
#include "installer/dcl/tests/stream_builder.hpp"

namespace {

using dcl::ExplodeResult;
using dcl_test::ExpectedOutput;
using dcl_test::StreamBuilder;

// Runs explode() through its routines, recording every call. `chunk` limits
// how many bytes each read delivers (0: as many as asked for).
struct Decoded {
  ExplodeResult result = ExplodeResult::ok;
  std::vector<std::uint8_t> output;
  std::vector<unsigned> read_sizes_asked;
  std::vector<unsigned> write_sizes;
};

struct Harness {
  const std::vector<std::uint8_t>* input;
  std::size_t position = 0;
  std::size_t chunk = 0;
  Decoded* run;
};

unsigned int test_read(char* buffer, unsigned int* size, void* param) {
  auto& h = *static_cast<Harness*>(param);
  h.run->read_sizes_asked.push_back(*size);
  std::size_t n = std::min<std::size_t>(*size, h.input->size() - h.position);
  if (h.chunk != 0) n = std::min(n, h.chunk);
  std::memcpy(buffer, h.input->data() + h.position, n);
  h.position += n;
  return static_cast<unsigned int>(n);
}

void test_write(char* buffer, unsigned int* size, void* param) {
  auto& h = *static_cast<Harness*>(param);
  h.run->write_sizes.push_back(*size);
  h.run->output.insert(h.run->output.end(), buffer, buffer + *size);
}

Decoded explode_run(const std::vector<std::uint8_t>& stream, std::size_t chunk = 0) {
  Decoded run;
  Harness h{&stream, 0, chunk, &run};
  // A work area full of junk: the decoder must need no initialisation; the
  // odd offset checks that no alignment is assumed.
  std::vector<std::uint8_t> work(dcl::kWorkAreaSize + 1, 0xA5);
  run.result = dcl::explode(test_read, test_write, work.data() + 1, &h);
  return run;
}

std::vector<std::uint8_t> bytes_of(std::string_view s) { return {s.begin(), s.end()}; }

TEST(ExplodeHeader, FourByteStreamIsShortAndProducesNothing) {
  // Header of an empty input and the bare end code: exactly 4 bytes.
  const auto stream = StreamBuilder(0, 5).end().bytes();
  ASSERT_EQ(stream.size(), 4U);
  const Decoded run = explode_run(stream);
  EXPECT_EQ(run.result, ExplodeResult::short_first_read);
  EXPECT_TRUE(run.write_sizes.empty());
  // Padded with one zero byte, the same stream decodes to nothing.
  auto padded = stream;
  padded.push_back(0);
  const Decoded ok = explode_run(padded);
  EXPECT_EQ(ok.result, ExplodeResult::ok);
  EXPECT_EQ(ok.write_sizes, std::vector<unsigned>{0});
}

TEST(ExplodeHeader, BadHeaderBytesReportedBeforeAnyOutput) {
  struct Case {
    std::uint8_t coding, dict;
    ExplodeResult expected;
  };
  const Case cases[] = {
      {0, 3, ExplodeResult::bad_dictionary_size},
      {0, 7, ExplodeResult::bad_dictionary_size},
      {1, 0, ExplodeResult::bad_dictionary_size},
      {2, 5, ExplodeResult::bad_literal_coding},
      {255, 6, ExplodeResult::bad_literal_coding},
      {2, 7, ExplodeResult::bad_dictionary_size},  // the window code is checked first
  };
  for (const Case& c : cases) {
    const auto stream = StreamBuilder(c.coding, c.dict).literals("abc").end().bytes();
    const Decoded run = explode_run(stream);
    EXPECT_EQ(run.result, c.expected) << int{c.coding} << "," << int{c.dict};
    EXPECT_TRUE(run.write_sizes.empty());
  }
}

TEST(ExplodeHeader, ShortFirstReadCountsOnlyTheFirstRead) {
  // Even with more input behind it, a first read of 4 bytes is an error.
  const auto stream = StreamBuilder(0, 4).literals("abcdef").end().bytes();
  EXPECT_EQ(explode_run(stream, 4).result, ExplodeResult::short_first_read);
  // A first read of 5 bytes and single bytes after it decodes normally.
  const Decoded run = explode_run(stream, 5);
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.output, bytes_of("abcdef"));
}

TEST(ExplodeTokens, OverlappingMatchRepeatsTheLiteral) {
  const auto stream = StreamBuilder(0, 5).literal('a').match(3, 1).end().bytes();
  const Decoded run = explode_run(stream);
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.output, bytes_of("aaaa"));
}

TEST(ExplodeTokens, OverlappingCopiesRepeatTheirPattern) {
  // Distances below and above the decoder's 8-byte copy step.
  for (unsigned distance = 1; distance <= 12; ++distance) {
    StreamBuilder b(0, 6);
    ExpectedOutput expected;
    for (unsigned i = 0; i < distance; ++i) {
      b.literal(static_cast<std::uint8_t>('a' + i));
      expected.literal(static_cast<std::uint8_t>('a' + i));
    }
    for (unsigned len : {2U, 7U, 9U, 100U, 518U}) {
      if (len == 2 && distance > 256) continue;
      b.match(len, distance);
      expected.match(len, distance);
    }
    const Decoded run = explode_run(b.end().literal(0).bytes());
    EXPECT_EQ(run.result, ExplodeResult::ok);
    EXPECT_EQ(run.output, expected.bytes()) << "distance " << distance;
  }
}

TEST(ExplodeTokens, LengthTwoTakesTwoLowDistanceBits) {
  // The same token sequence at every window size: a length-2 match takes 2
  // low bits, a length-3 match k bits. A wrong count would misread the rest.
  for (std::uint8_t k = 4; k <= 6; ++k) {
    StreamBuilder b(0, k);
    ExpectedOutput expected;
    std::mt19937 rng(k);
    for (int i = 0; i < 300; ++i) {
      const auto c = static_cast<std::uint8_t>(rng());
      b.literal(c);
      expected.literal(c);
    }
    for (unsigned distance : {1U, 2U, 4U, 5U, 77U, 255U, 256U}) {
      b.match(2, distance).literal('x').match(3, distance);
      expected.match(2, distance);
      expected.literal('x');
      expected.match(3, distance);
    }
    const Decoded run = explode_run(b.end().bytes());
    EXPECT_EQ(run.result, ExplodeResult::ok);
    EXPECT_EQ(run.output, expected.bytes()) << "k " << int{k};
  }
}

TEST(ExplodeTokens, EveryLengthSymbolWithLowestAndHighestExtraBits) {
  StreamBuilder b(0, 4);
  ExpectedOutput expected;
  for (const char c : std::string("0123456789")) {
    b.literal(static_cast<std::uint8_t>(c));
    expected.literal(static_cast<std::uint8_t>(c));
  }
  for (const auto& row : dcl_test::kLengthRows) {
    const unsigned top = row.base + (1U << row.extra) - 1;
    for (unsigned len : {row.base, std::min(top, 518U)}) {  // 519 is the end code
      b.match(len, 7).literal('.');
      expected.match(len, 7);
      expected.literal('.');
    }
  }
  const Decoded run = explode_run(b.end().bytes());
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.output, expected.bytes());
}

TEST(ExplodeTokens, EveryDistanceSymbolAtEveryWindowSize) {
  for (std::uint8_t k = 4; k <= 6; ++k) {
    const unsigned window = 64U << k;
    StreamBuilder b(0, k);
    ExpectedOutput expected;
    std::mt19937 rng(100 + k);
    for (unsigned i = 0; i < window; ++i) {
      const auto c = static_cast<std::uint8_t>(rng());
      b.literal(c);
      expected.literal(c);
    }
    for (unsigned symbol = 0; symbol < 64; ++symbol) {
      // Lowest and highest low bits of each symbol; the top one of symbol 63
      // is the window size itself.
      for (unsigned low : {0U, (1U << k) - 1}) {
        const unsigned distance = ((symbol << k) | low) + 1;
        b.match(5, distance);
        expected.match(5, distance);
      }
      const unsigned distance2 = symbol * 4 + 3 + 1;
      b.match(2, distance2);
      expected.match(2, distance2);
    }
    const Decoded run = explode_run(b.end().bytes());
    EXPECT_EQ(run.result, ExplodeResult::ok);
    EXPECT_EQ(run.output, expected.bytes()) << "k " << int{k};
  }
}

TEST(ExplodeTokens, WindowReachesAcrossOutputBlocks) {
  // 6000 varied bytes, so the window has slid once, then matches at the
  // largest distance reaching back over the block boundary.
  StreamBuilder b(0, 6);
  ExpectedOutput expected;
  std::mt19937 rng(7);
  for (int i = 0; i < 6000; ++i) {
    const auto c = static_cast<std::uint8_t>(rng());
    b.literal(c);
    expected.literal(c);
  }
  for (int i = 0; i < 20; ++i) {
    b.match(518, 4096).match(3, 4095);
    expected.match(518, 4096);
    expected.match(3, 4095);
  }
  const Decoded run = explode_run(b.end().bytes());
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.output, expected.bytes());
}

TEST(ExplodeTokens, MatchBeforeTheFirstByteCopiesZeros) {
  const auto stream = StreamBuilder(0, 6).literal('a').match(6, 4096).literal('b').end().bytes();
  const Decoded run = explode_run(stream);
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.output, (std::vector<std::uint8_t>{'a', 0, 0, 0, 0, 0, 0, 'b'}));
}

TEST(ExplodeTokens, AsciiLiteralCodes) {
  // Hand-worked codes: space has the only 4-bit code (0000, stored 1111);
  // 'E' and 'a' the first two 5-bit codes (00010, 00011); byte 255 the last
  // 13-bit code (all ones, stored as 13 zeros).
  StreamBuilder b(1, 4);
  b.code("0").code("1111").code("0").code("11101").code("0").code("11100");
  b.code("0").code("0000000000000").match(4, 3).end();
  const Decoded run = explode_run(b.bytes());
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.output, (std::vector<std::uint8_t>{' ', 'E', 'a', 255, 'E', 'a', 255, 'E'}));
}

TEST(ExplodeBlocks, EightKilobytesComeAsTwoBlocksAndAnEmptyOne) {
  StreamBuilder b(0, 5);
  b.literal('x');
  unsigned left = 8191;
  while (left > 0) {
    const unsigned len = std::min(left, 518U);
    b.match(len, 1);
    left -= len;
  }
  const Decoded run = explode_run(b.end().bytes());
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.write_sizes, (std::vector<unsigned>{4096, 4096, 0}));
  EXPECT_EQ(run.output, std::vector<std::uint8_t>(8192, 'x'));
  for (unsigned asked : run.read_sizes_asked) EXPECT_EQ(asked, dcl::kReadSize);
}

TEST(ExplodeBlocks, SmallReadsGiveTheSameOutput) {
  StreamBuilder b(0, 6);
  ExpectedOutput expected;
  std::mt19937 rng(3);
  for (int i = 0; i < 20000; ++i) {
    if (rng() % 3 == 0 && expected.bytes().size() > 100) {
      const unsigned len = 2 + rng() % 40;
      const unsigned distance = 1 + rng() % (len == 2 ? 256 : 100);
      b.match(len, distance);
      expected.match(len, distance);
    } else {
      const auto c = static_cast<std::uint8_t>('a' + rng() % 4);
      b.literal(c);
      expected.literal(c);
    }
  }
  const auto stream = b.end().bytes();
  for (std::size_t chunk : {0U, 5U, 7U, 1000U}) {
    const Decoded run = explode_run(stream, chunk);
    EXPECT_EQ(run.result, ExplodeResult::ok) << "chunk " << chunk;
    EXPECT_EQ(run.output, expected.bytes()) << "chunk " << chunk;
    for (std::size_t i = 0; i + 1 < run.write_sizes.size(); ++i) {
      EXPECT_EQ(run.write_sizes[i], dcl::kWriteBlock);
    }
    EXPECT_LT(run.write_sizes.back(), dcl::kWriteBlock);
  }
}

TEST(ExplodeEnd, StreamEndingRightAfterTheEndCode) {
  // 8 literals (72 bits) and the end code (16 bits) fill 11 bytes exactly.
  const auto stream = StreamBuilder(0, 4).literals("abcdefgh").end().bytes();
  ASSERT_EQ(stream.size(), 2U + 11U);
  const Decoded run = explode_run(stream);
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.output, bytes_of("abcdefgh"));
}

TEST(ExplodeEnd, TrailingBytesAfterTheEndCodeAreIgnored) {
  auto stream = StreamBuilder(0, 4).literals("abc").end().bytes();
  stream.insert(stream.end(), {0xFF, 0x00, 0x12});
  const Decoded run = explode_run(stream);
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.output, bytes_of("abc"));
}

TEST(ExplodeEnd, TruncationHandsOverWhatWasDecoded) {
  // Three binary literals take 27 bits: the third leaves only the 5 zero
  // padding bits behind it, fewer than the 8 bits the decoder must always
  // hold, so it is not produced.
  const auto three = StreamBuilder(0, 4).literals("abc").bytes();
  ASSERT_EQ(three.size(), 2U + 4U);
  Decoded run = explode_run(three);
  EXPECT_EQ(run.result, ExplodeResult::data_error);
  EXPECT_EQ(run.output, bytes_of("ab"));
  EXPECT_EQ(run.write_sizes, std::vector<unsigned>{2});

  // One more zero byte lets 'c' through; the zero bits then start a literal
  // that cannot be completed.
  auto longer = three;
  longer.push_back(0);
  run = explode_run(longer);
  EXPECT_EQ(run.result, ExplodeResult::data_error);
  EXPECT_EQ(run.output, bytes_of("abc"));
}

TEST(ExplodeEnd, TruncatedMatchIsNotCopied) {
  // Cut in the low distance bits: the literals come out, the match does not.
  StreamBuilder b(0, 6);
  b.literals("abcdefgh").match(40, 8);
  const std::size_t bits_before_cut = b.bit_count() - 3;
  auto stream = b.bytes();
  stream.resize(2 + (bits_before_cut - 8) / 8);
  const Decoded run = explode_run(stream);
  EXPECT_EQ(run.result, ExplodeResult::data_error);
  EXPECT_EQ(run.output, bytes_of("abcdefgh"));
}

TEST(ExplodeEnd, LongTruncatedStreamGivesAPrefixInBlocks) {
  StreamBuilder b(0, 5);
  ExpectedOutput expected;
  std::mt19937 rng(11);
  for (int i = 0; i < 30000; ++i) {
    const auto c = static_cast<std::uint8_t>(rng());
    b.literal(c);
    expected.literal(c);
  }
  auto stream = b.end().bytes();
  stream.resize(stream.size() / 2);
  const Decoded run = explode_run(stream);
  EXPECT_EQ(run.result, ExplodeResult::data_error);
  ASSERT_GT(run.output.size(), 8192U);
  EXPECT_TRUE(std::equal(run.output.begin(), run.output.end(), expected.bytes().begin()));
  // Each literal takes 9 bits; all but the last literal whose bits are in the
  // stream come out.
  EXPECT_EQ(run.output.size(), ((stream.size() - 2) * 8 - 8) / 9);
}

}  // namespace

namespace {

// A read routine that fills the buffer but reports more bytes than asked.
unsigned int overstating_read(char* buffer, unsigned int* size, void* param) {
  auto& h = *static_cast<Harness*>(param);
  const std::size_t n = std::min<std::size_t>(*size, h.input->size() - h.position);
  std::memcpy(buffer, h.input->data() + h.position, n);
  h.position += n;
  return n == 0 ? 0 : *size + 1000;
}

TEST(ExplodeBlocks, ReadCountAboveTheBufferIsCappedAtItsSize) {
  // Guards against taking bytes beyond the 2048-byte input buffer as input.
  StreamBuilder b(0, 6);
  ExpectedOutput expected;
  for (int i = 0; i < 3000; ++i) {
    b.literal(static_cast<std::uint8_t>(i * 13));
    expected.literal(static_cast<std::uint8_t>(i * 13));
  }
  auto stream = b.end().bytes();
  stream.resize(2048 * 2, 0);  // whole reads only, so the capped count is right
  Decoded run;
  Harness h{&stream, 0, 0, &run};
  std::vector<std::uint8_t> work(dcl::kWorkAreaSize);
  run.result = dcl::explode(overstating_read, test_write, work.data(), &h);
  EXPECT_EQ(run.result, ExplodeResult::ok);
  EXPECT_EQ(run.output, expected.bytes());
}

}  // namespace
