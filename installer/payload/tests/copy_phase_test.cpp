// The copy phase over hand-built record streams: conditions, continuation
// files, and every bounds and name check, each ending in success or in one
// failure naming the file, the record's offset and what is wrong.
#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "installer/payload/copy_phase.hpp"
#include "installer/payload/tests/fake_platform.hpp"

namespace payload::testing {
namespace {

constexpr std::uint64_t kTime = 0x01D2345678ABCDEFULL;
const std::string kFolder = "C:\\T\\";

struct Outcome {
  std::optional<Failure> failure;
  FakePlatform platform;
};

Outcome run(const Bytes& stream, FakePlatform platform = {}, CopySettings settings = {}) {
  if (settings.install_folder.empty()) settings.install_folder = "C:\\T";
  InstallHeader header;
  header.program = "TRNX.EXE";
  header.has_program = true;
  const Bytes image = image_of(header, stream);
  const LoadResult loaded = load_install_header_from(image, "A:\\SETUP.EXE", "A:\\");
  EXPECT_FALSE(loaded.failure);
  Outcome outcome{std::nullopt, std::move(platform)};
  outcome.failure = run_record_stream(loaded.payload, settings, outcome.platform);
  return outcome;
}

// Installed names (without the folder), in path order.
std::vector<std::string> installed(const FakePlatform& platform) {
  std::vector<std::string> names;
  for (const auto& [path, bytes] : platform.files) {
    if (path.rfind(kFolder, 0) == 0) names.push_back(path.substr(kFolder.size()));
  }
  return names;
}

bool logged(const FakePlatform& platform, const std::string& line) {
  return std::find(platform.log.begin(), platform.log.end(), line) != platform.log.end();
}

// 64 = stub, 9 = header record X "TRNX.EXE": the stream starts at image offset 75.
constexpr std::uint64_t kStreamStart = 64 + 11;

TEST(CopyPhase, ConditionsDecideAtCopyTimeAndSkippedFilesAreSteppedOver) {
  struct Case {
    const char* what;
    char condition;
    std::function<void(FakePlatform&, CopySettings&)> setup;
    bool installed;
  };
  const Case cases[] = {
      {"always", '.', {}, true},
      {"option 1 set (sample drawings ticked)", '1', {}, true},
      {"option 1 cleared", '1', [](FakePlatform&, CopySettings& s) { s.option_flag1 = 0; }, false},
      {"option 2 holds 1, tested with mask 2", '2', {}, false},
      {"option 3 holds 1, tested with mask 1", '3', {}, true},
      {"= with no file of that name yet", '=', {}, false},
      {"= over an existing file", '=',
       [](FakePlatform& p, CopySettings&) { p.files[kFolder + "X.DLL"] = bytes_of("old"); }, true},
      {"? for a library the system lacks", '?', {}, true},
      {"? for a library the system provides", '?',
       [](FakePlatform& p, CopySettings&) { p.libraries.insert("X.DLL"); }, false},
      {"an unknown code never installs", 'x', {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakePlatform platform;
    CopySettings settings;
    if (c.setup) c.setup(platform, settings);
    const Bytes content = bytes_of("new library bytes");
    const Outcome out = run(
        Stream().file("X.DLL", content, c.condition).file("NEXT.TXT", bytes_of("n")).end().bytes,
        platform, settings);
    ASSERT_FALSE(out.failure) << out.failure->message();
    const auto it = out.platform.files.find(kFolder + "X.DLL");
    EXPECT_EQ(it != out.platform.files.end() && it->second == content, c.installed);
    EXPECT_EQ(out.platform.files.at(kFolder + "NEXT.TXT"),
              bytes_of("n"));  // the next record was found
    EXPECT_TRUE(logged(out.platform, "shortcut Plinthe.LNK -> C:\\T\\TRNX.EXE"));
  }
}

TEST(CopyPhase, FilesAreWrittenWholeWithTheRecordsTime) {
  const Bytes big(100000, 'q');
  const Outcome out = run(
      Stream().file("EMPTY.DAT", {}, '.', kTime).file("BIG.DAT", big, '.', kTime + 1).end().bytes);
  ASSERT_FALSE(out.failure);
  EXPECT_EQ(out.platform.files.at(kFolder + "EMPTY.DAT"), Bytes{});
  EXPECT_EQ(out.platform.times.at(kFolder + "EMPTY.DAT"),
            kTime);  // an empty file still gets its time
  EXPECT_EQ(out.platform.files.at(kFolder + "BIG.DAT"), big);
  EXPECT_EQ(out.platform.times.at(kFolder + "BIG.DAT"), kTime + 1);
  EXPECT_EQ(out.platform.log.front(), "folder C:\\T");
  EXPECT_TRUE(logged(out.platform, "Installing file: C:\\T\\BIG.DAT"));
  EXPECT_EQ(out.platform.log.back(), "end");
}

TEST(CopyPhase, DiskRecordsRaiseTheContinuationCharacterAndLoadAtTheEndOfABuffer) {
  // A disk record in the middle of the buffer only raises the character, so
  // the disk record that ends the buffer loads 3.DAT.
  FakePlatform platform;
  platform.files["A:\\3.DAT"] = Stream().file("C.TXT", bytes_of("c")).end().bytes;
  const Outcome out = run(Stream()
                              .file("A.TXT", bytes_of("a"))
                              .disk("Disk 2")
                              .file("B.TXT", bytes_of("b"))
                              .disk("Disk 3")
                              .bytes,
                          platform);
  ASSERT_FALSE(out.failure) << out.failure->message();
  EXPECT_EQ(installed(out.platform), (std::vector<std::string>{"A.TXT", "B.TXT", "C.TXT"}));
  EXPECT_TRUE(logged(out.platform, "Loading install data: A:\\3.DAT"));
  EXPECT_FALSE(logged(out.platform, "Loading install data: A:\\2.DAT"));
}

TEST(CopyPhase, MissingOrEmptyDiskIsAskedForUntilItArrivesOrIsCancelled) {
  const Bytes stream = Stream().file("A.TXT", bytes_of("a")).disk("Release Disk #2").bytes;
  const Bytes second = Stream().file("B.TXT", bytes_of("b")).end().bytes;
  struct Case {
    const char* what;
    bool empty_file_there;  // else missing
    bool ok;                // the answer to the prompt
    const char* failure;    // nullptr: B.TXT is installed after the prompt
  };
  const Case cases[] = {
      {"missing, OK after inserting it", false, true, nullptr},
      {"empty, OK after inserting it", true, true, nullptr},
      {"missing, Cancel", false, false,
       "A:\\2.DAT: continuation file cannot be opened and disk \"Release Disk #2\" was not "
       "inserted"},
      {"empty, Cancel", true, false,
       "A:\\2.DAT: continuation file is empty and disk \"Release Disk #2\" was not inserted"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakePlatform platform;
    if (c.empty_file_there) platform.files["A:\\2.DAT"] = {};
    platform.disk_answers = {c.ok};
    platform.inserted_disk["A:\\2.DAT"] = second;
    const Outcome out = run(stream, platform);
    EXPECT_TRUE(logged(out.platform, "disk Release Disk #2 in A:"));
    if (c.failure == nullptr) {
      ASSERT_FALSE(out.failure) << out.failure->message();
      EXPECT_EQ(installed(out.platform), (std::vector<std::string>{"A.TXT", "B.TXT"}));
    } else {
      ASSERT_TRUE(out.failure);
      EXPECT_EQ(out.failure->message(), c.failure);
      EXPECT_EQ(installed(out.platform), (std::vector<std::string>{"A.TXT"}));
      EXPECT_EQ(out.platform.log.back(), "end");
    }
  }
}

TEST(CopyPhase, ContinuationFileEndingWithoutDiskOrEndRecordFails) {
  FakePlatform platform;
  const Bytes second = Stream().file("B.TXT", bytes_of("b")).bytes;
  platform.files["A:\\2.DAT"] = second;
  const Outcome out = run(Stream().disk("D2").bytes, platform);
  ASSERT_TRUE(out.failure);
  EXPECT_EQ(out.failure->message(), "A:\\2.DAT: record at offset " + std::to_string(second.size()) +
                                        ": the record stream ends without a disk or end record");
  EXPECT_EQ(installed(out.platform), std::vector<std::string>{"B.TXT"});
}

// A file record written field by field, for records the packer would never make.
Bytes raw_file_record(const std::string& name, std::uint32_t compressed_size, const Bytes& data) {
  Bytes r(name.begin(), name.end());
  r.insert(r.begin(), {'F', '.'});
  r.push_back(0);
  Bytes fields(16, 0);
  fields[12] = static_cast<std::uint8_t>(compressed_size);
  fields[13] = static_cast<std::uint8_t>(compressed_size >> 8);
  fields[14] = static_cast<std::uint8_t>(compressed_size >> 16);
  fields[15] = static_cast<std::uint8_t>(compressed_size >> 24);
  r.insert(r.end(), fields.begin(), fields.end());
  r.insert(r.end(), data.begin(), data.end());
  return r;
}

TEST(CopyPhase, BadRecordsFailNamingFileOffsetAndProblemAndKeepEarlierFiles) {
  const Bytes good = Stream().file("GOOD.TXT", bytes_of("kept")).bytes;
  const std::uint64_t at = kStreamStart + good.size();  // offset of the bad record
  Bytes damaged = dcl::implode(bytes_of(std::string(5000, 'z') + "tail"));
  damaged.resize(damaged.size() - 3);
  Bytes oversize;
  {
    dcl::ImplodeOptions fast;
    fast.parse = dcl::ParseMode::plain_greedy;
    oversize = dcl::implode(Bytes(kMaxFileSize + 1, 0), fast);
  }
  struct Case {
    const char* what;
    Bytes bad;
    std::string problem;  // empty: the stream runs out
  };
  // One case a row, laid out by hand.
  // clang-format off
  const Case cases[] = {
      {"unknown kind", bytes_of("Z"), "record kind 0x5A is not known"},
      {"stream runs out without an end record", {},
       "the record stream ends without a disk or end record"},
      {"file record cut in its fields", [] {
         Bytes r = raw_file_record("CUT", 0, {});
         r.resize(10);
         return r;
       }(), "file record \"CUT\" runs past the end of the buffer"},
      {"file name without its zero", bytes_of("F.NAME"),
       "file name runs past the end of the buffer"},
      {"file name of 260 characters", raw_file_record(std::string(260, 'n'), 0, {}),
       "file name is longer than 259 characters"},
      {"compressed data past the buffer", raw_file_record("D", 1000, Bytes(10, 0)),
       "compressed data of \"D\" (1000 bytes) runs past the end of the buffer"},
      {"disk label of 64 characters", Stream().disk(std::string(64, 'L')).bytes,
       "disk label is longer than 63 characters"},
      {"name with a backslash", Stream().file("..\\EVIL", bytes_of("x")).bytes,
       "file name \"..\\EVIL\" holds a folder or drive part"},
      {"name with a slash, even if never installed", Stream().file("a/b", bytes_of("x"), '2').bytes,
       "file name \"a/b\" holds a folder or drive part"},
      {"name with a drive", Stream().file("C:X", bytes_of("x")).bytes,
       "file name \"C:X\" holds a folder or drive part"},
      {"name ..", Stream().file("..", bytes_of("x")).bytes, "file name \"..\" is not a file"},
      {"name .", Stream().file(".", bytes_of("x")).bytes, "file name \".\" is not a file"},
      {"empty name", Stream().file("", bytes_of("x")).bytes, "file name is empty"},
      {"damaged compressed data",
       raw_file_record("DAMAGED", static_cast<std::uint32_t>(damaged.size()), damaged),
       "compressed data of \"DAMAGED\" is damaged: input ended before the end code"},
      {"bad window code", raw_file_record("W", 6, {0, 9, 0, 0, 0, 0}),
       "compressed data of \"W\" is damaged: window size code in the header is not 4, 5 or 6"},
      {"decompresses past 2 MiB",
       raw_file_record("HUGE", static_cast<std::uint32_t>(oversize.size()), oversize),
       "\"HUGE\" decompresses to more than 2 MiB (2097152 bytes)"},
      {"nine disk records", [] {
         Stream s;
         for (int i = 0; i < 9; ++i) s.disk("d");
         return s.bytes;
       }(), ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes stream = good;
    stream.insert(stream.end(), c.bad.begin(), c.bad.end());
    const Outcome out = run(stream);
    ASSERT_TRUE(out.failure);
    if (c.problem.empty()) {  // the ninth disk record: eight of 4 bytes before it
      EXPECT_EQ(out.failure->message(), "A:\\SETUP.EXE: record at offset " +
                                            std::to_string(at + 32) +
                                            ": more than eight disk records");
    } else {
      EXPECT_EQ(out.failure->message(),
                "A:\\SETUP.EXE: record at offset " + std::to_string(at) + ": " + c.problem);
    }
    EXPECT_EQ(installed(out.platform), std::vector<std::string>{"GOOD.TXT"});
    EXPECT_EQ(out.platform.log.back(), "end");
  }
}

TEST(CopyPhase, ExactlyTwoMebibytesIsAcceptedAndAFailedWriteFails) {
  dcl::ImplodeOptions fast;
  fast.parse = dcl::ParseMode::plain_greedy;
  const Bytes full(kMaxFileSize, 7);
  Stream stream;
  append_file_record(stream.bytes, false, '.', "FULL.BIN", kTime, kMaxFileSize,
                     dcl::implode(full, fast));
  const std::size_t locked_at = kStreamStart + stream.bytes.size();
  Outcome out = run(stream.file("LOCKED.TXT", bytes_of("x")).end().bytes);
  ASSERT_FALSE(out.failure);
  EXPECT_EQ(out.platform.files.at(kFolder + "FULL.BIN"), full);

  FakePlatform locked;
  locked.unwritable.insert(kFolder + "LOCKED.TXT");
  out = run(stream.bytes, locked);
  ASSERT_TRUE(out.failure);
  EXPECT_EQ(out.failure->message(),
            "A:\\SETUP.EXE: record at offset " + std::to_string(locked_at) +
                ": cannot install \"C:\\T\\LOCKED.TXT\": write: No space left on device");
  EXPECT_EQ(installed(out.platform), std::vector<std::string>{"FULL.BIN"});
}

TEST(CopyPhase, PersonalFilesReceiveOwnerAndFirmPlainFilesDoNot) {
  const std::string marker(31, '~');
  const Bytes image = bytes_of("<" + marker + std::string(70, '#') + ">");
  CopySettings settings;
  settings.owner_name = "Ann";
  settings.owner_firm = "Firm";
  const Outcome out =
      run(Stream().file("P.EXE", image, '.', kTime, true).file("F.EXE", image).end().bytes, {},
          settings);
  ASSERT_FALSE(out.failure);
  Bytes expected = image;
  expected[1] = 0;
  std::copy_n("Ann", 4, expected.begin() + 33);
  std::copy_n("Firm", 5, expected.begin() + 65);
  EXPECT_EQ(out.platform.files.at(kFolder + "P.EXE"), expected);
  EXPECT_EQ(out.platform.files.at(kFolder + "F.EXE"), image);
}

}  // namespace
}  // namespace payload::testing
