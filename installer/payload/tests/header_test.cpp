// Loading the payload: the header records tested once each in the order
// P, X, S, L, M with their defaults, and the cases where there is no payload.
#include <gtest/gtest.h>

#include "installer/payload/header.hpp"
#include "installer/payload/tests/fake_platform.hpp"

namespace payload::testing {
namespace {

struct HeaderCase {
  const char* what;
  std::string payload;  // bytes from the payload offset on
  const char* folder;
  const char* program;
  const char* description;
  const char* link;
  int mode;  // -1: absent
  std::size_t stream_start;
};

TEST(InstallHeader, RecordsAreTestedOnceEachInOrderWithDefaults) {
  using namespace std::string_literals;
  const HeaderCase cases[] = {
      {"only P and M: the other three keep their built-in values", "P.C:\\TARNIX\0M\x01"s + "E",
       "C:\\TARNIX", "PLW32.EXE", "Plinthe", "Plinthe.LNK", 1, 14},
      {"all five, the separator byte not tested",
       "P?C:\\T\0X.T.EXE\0S.Viewer\0L.T.LNK\0M\x07"s + "E", "C:\\T", "T.EXE", "Viewer", "T.LNK", 7,
       34},
      {"no header at all: the stream starts at the payload offset", "E.\0"s, "C:\\PLNT32",
       "PLW32.EXE", "Plinthe", "Plinthe.LNK", -1, 0},
      {"X before P: the P after it is out of order and starts the stream", "X.A\0P.B\0"s,
       "C:\\PLNT32", "A", "Plinthe", "Plinthe.LNK", -1, 4},
      {"M before L: L is not tested again", "M\x01L.x\0"s, "C:\\PLNT32", "PLW32.EXE", "Plinthe",
       "Plinthe.LNK", 1, 2},
      {"an empty folder string is a value", "P.\0"s, "", "PLW32.EXE", "Plinthe", "Plinthe.LNK", -1,
       3},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes image(32, 0);
    set_payload_offset(image, 32);
    image.insert(image.end(), c.payload.begin(), c.payload.end());
    const LoadResult loaded = load_install_header_from(image, "SETUP.EXE", "A:\\");
    ASSERT_FALSE(loaded.failure) << loaded.failure->message();
    const InstallHeader& h = loaded.payload.header;
    EXPECT_EQ(h.install_folder, c.folder);
    EXPECT_EQ(h.program, c.program);
    EXPECT_EQ(h.description, c.description);
    EXPECT_EQ(h.link_name, c.link);
    EXPECT_EQ(h.mode ? int{*h.mode} : -1, c.mode);
    EXPECT_EQ(loaded.payload.stream_start, c.stream_start);
    EXPECT_EQ(loaded.payload.bytes.size(), c.payload.size());
  }
}

TEST(InstallHeader, UnreadablePayloadIsReportedAndDefaultsStay) {
  struct Case {
    const char* what;
    Bytes image;
    const char* message;
  };
  const auto with_offset = [](std::size_t size, std::uint32_t offset,
                              const std::string& tail = "") {
    Bytes image(size, 'x');
    set_payload_offset(image, offset);
    image.insert(image.end(), tail.begin(), tail.end());
    return image;
  };
  const Case cases[] = {
      {"too short for the offset field", Bytes(31, 0),
       "SETUP.EXE: the file is too short to hold the payload offset at byte 28"},
      {"offset at the end of the file", with_offset(40, 40),
       "SETUP.EXE: the payload offset 40 lies at or beyond the end of the file (40 bytes): there "
       "is "
       "no payload"},
      {"offset beyond the end", with_offset(40, 0xFFFFFFFF),
       "SETUP.EXE: the payload offset 4294967295 lies at or beyond the end of the file (40 bytes): "
       "there is no payload"},
      {"header string running off the end", with_offset(40, 40, "P.C:\\X"),
       "SETUP.EXE: record at offset 40: header record P runs past the end of the payload"},
      {"header string over 259 characters",
       with_offset(40, 40, "S." + std::string(260, 'a') + '\0'),
       "SETUP.EXE: record at offset 40: header record S holds a string longer than 259 characters"},
      {"M without its value byte", with_offset(40, 40, "M"),
       "SETUP.EXE: record at offset 40: header record M runs past the end of the payload"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LoadResult loaded = load_install_header_from(c.image, "SETUP.EXE", "A:\\");
    ASSERT_TRUE(loaded.failure);
    EXPECT_EQ(loaded.failure->message(), c.message);
    EXPECT_EQ(loaded.payload.header.install_folder, "C:\\PLNT32");
    EXPECT_TRUE(loaded.payload.bytes.empty());
  }

  FakePlatform platform;  // no file at all: the platform's own reason is passed on
  const LoadResult missing = load_install_header(platform, "A:\\SETUP.EXE", "A:\\");
  ASSERT_TRUE(missing.failure);
  EXPECT_EQ(missing.failure->message(), "A:\\SETUP.EXE: cannot be opened");
}

}  // namespace
}  // namespace payload::testing
