// setuppack on real files: pack then extract over three disks byte for byte
// with times, the listing, manifest errors that leave nothing behind, and
// bad payloads that stop with one line and write nothing outside FOLDER.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "installer/dcl/implode.hpp"
#include "installer/payload/encode.hpp"
#include "installer/payload/posix_platform.hpp"
#include "installer/payload/setuppack.hpp"

namespace payload {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result setuppack(const std::vector<std::string>& args, bool disk_answer = false) {
  std::ostringstream out, err;
  const int status = run_setuppack(
      args, out, err, [&](const std::string&, const std::string&) { return disk_answer; });
  return {status, out.str(), err.str()};
}

class Folder {
 public:
  explicit Folder(const std::string& name)
      : path_(fs::temp_directory_path() / ("setuppack_test_" + name + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Folder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

void write(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

void write(const fs::path& path, const std::string& text) {
  write(path, Bytes(text.begin(), text.end()));
}

Bytes read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct stat stat_of(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info;
}

void set_mtime(const fs::path& path, std::int64_t seconds, long nanoseconds) {
  struct timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), nanoseconds}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

TEST(SetupPack, PackListExtractRoundTripOverThreeDisks) {
  Folder dir("roundtrip");
  std::mt19937 rng(7);
  Bytes noise(300000);
  for (auto& b : noise) b = static_cast<std::uint8_t>(rng());
  std::string text;
  for (int i = 0; i < 20000; ++i)
    text += "row " + std::to_string(i % 361) + " col " + std::to_string(i) + "\n";
  const std::string personal = "PROGRAM" + std::string(31, '~') + std::string(100, '.');
  struct Source {
    const char* name;  // installed name = source file name
    Bytes bytes;
    std::int64_t seconds;
  };
  const Source sources[] = {
      {"TRNX.EXE", Bytes(personal.begin(), personal.end()), 946684800},  // 2000-01-01
      {"NOISE.BIN", noise, 1234567890},
      {"EMPTY.DAT", {}, 0},
      {"READ ME.TXT", Bytes(text.begin(), text.end()), 1700000000},
      {"NOSUCH.DLL", Bytes(5000, 'd'), 1600000000},
  };
  fs::create_directories(dir.path() / "src");
  for (const Source& s : sources) {
    write(dir.path() / "src" / s.name, s.bytes);
    set_mtime(dir.path() / "src" / s.name, s.seconds, 123456700);
  }
  write(dir.path() / "stub.exe", std::string(200, 'S'));
  write(dir.path() / "setup.lst",
        "# sample manifest\n"
        "mode 1\n"
        "link TARNIX.LNK\n"
        "folder C:\\TARNIX\n"
        "personal . TRNX.EXE src/TRNX.EXE\n"
        "file . NOISE.BIN src/NOISE.BIN\n"
        "disk TARNIX Release Disk #2\n"
        "\n"
        "file 1 EMPTY.DAT src/EMPTY.DAT\r\n"
        "file ? libc.so.6 src/NOISE.BIN\n"
        "disk TARNIX Release Disk #3\n"
        "file . \"READ ME.TXT\" \"src/READ ME.TXT\"\n"
        "file ? NOSUCH.DLL src/NOSUCH.DLL\n");
  fs::create_directories(dir.path() / "out");
  Result r = setuppack({"pack", dir / "stub.exe", dir / "setup.lst", dir / "out/SETUP.EXE"});
  ASSERT_EQ(r.status, 0) << r.err;
  const Bytes image = read(dir / "out/SETUP.EXE");
  ASSERT_GT(image.size(), 200u);
  EXPECT_EQ(std::string(image.begin(), image.begin() + 28), std::string(28, 'S'));
  EXPECT_EQ(Bytes(image.begin() + 28, image.begin() + 32), (Bytes{200, 0, 0, 0}));
  EXPECT_EQ(std::string(image.begin() + 32, image.begin() + 200), std::string(168, 'S'));
  EXPECT_EQ(std::string(image.begin() + 200, image.begin() + 215),
            std::string("P.C:\\TARNIX\0L.T", 15));
  EXPECT_TRUE(fs::exists(dir / "out/2.DAT"));
  EXPECT_TRUE(fs::exists(dir / "out/3.DAT"));

  r = setuppack({"list", dir / "out/SETUP.EXE"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* shown :
       {"  P install folder  C:\\TARNIX\n",
        "  X program         PLW32.EXE  (absent: built-in default)\n", "  M mode            1\n",
        "2000-01-01 00:00:00", "disk \"TARNIX Release Disk #3\"", "/out/3.DAT:\n", "  f    .    ",
        "  F    ?    ", "READ ME.TXT\n", "  E\n"}) {
    EXPECT_NE(r.out.find(shown), std::string::npos) << shown << "\n" << r.out;
  }

  r = setuppack({"extract", dir / "out/SETUP.EXE", dir / "inst", "--owner", "Ann", "--firm", "Co"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("Installing file: " + (dir / "inst/NOISE.BIN") + "\n"), std::string::npos);
  EXPECT_NE(r.err.find("Loading install data: " + (dir / "out/3.DAT") + "\n"), std::string::npos);
  for (const Source& s : sources) {
    SCOPED_TRACE(s.name);
    const fs::path installed = dir.path() / "inst" / s.name;
    ASSERT_TRUE(fs::exists(installed));
    Bytes expected = s.bytes;
    if (std::string(s.name) ==
        "TRNX.EXE") {  // personalised: 7 + 0 empty, owner at +32, firm at +64
      expected[7] = 0;
      std::copy_n("Ann", 4, expected.begin() + 39);
      std::copy_n("Co", 3, expected.begin() + 71);
    }
    EXPECT_EQ(read(installed), expected);
    const struct stat info = stat_of(installed);
    EXPECT_EQ(info.st_mtim.tv_sec, s.seconds);
    EXPECT_EQ(info.st_mtim.tv_nsec, 123456700);
    // Only the last-write time is set: the creation time (where the file
    // system keeps one) and the status-change time are the install's own.
    EXPECT_NE(info.st_ctim.tv_sec, s.seconds);
    struct statx ext {};
    if (::statx(AT_FDCWD, installed.c_str(), 0, STATX_BTIME, &ext) == 0 &&
        (ext.stx_mask & STATX_BTIME) != 0) {
      EXPECT_NE(ext.stx_btime.tv_sec, s.seconds);
    }
  }
  EXPECT_FALSE(fs::exists(dir.path() / "inst/libc.so.6"));  // the system has it

  r = setuppack({"extract", dir / "out/SETUP.EXE", dir / "lean", "--no-samples"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(fs::exists(dir.path() / "lean/EMPTY.DAT"));
  EXPECT_TRUE(fs::exists(dir.path() / "lean/NOISE.BIN"));

  // Without 3.DAT and with the disk prompt cancelled, the files before stay.
  fs::remove(dir.path() / "out/3.DAT");
  r = setuppack({"extract", dir / "out/SETUP.EXE", dir / "part"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("setuppack: " + (dir / "out/3.DAT") +
                       ": continuation file cannot be opened (No such file or directory) and disk "
                       "\"TARNIX Release Disk #3\" was not inserted\n"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(fs::exists(dir.path() / "part/EMPTY.DAT"));
}

TEST(SetupPack, ManifestErrorsNameTheLineAndLeaveNothingAtOut) {
  Folder dir("manifest");
  write(dir.path() / "stub.exe", std::string(64, 'S'));
  write(dir.path() / "a.txt", std::string("a"));
  write(dir.path() / "big.bin", Bytes(2097153, 0));
  std::string nine_disks;
  for (int i = 0; i < 9; ++i) nine_disks += "disk D\n";
  struct Case {
    std::string manifest;
    std::string message;  // after "setuppack: MANIFEST:"
  };
  const Case cases[] = {
      {"file . A a.txt\nfiel . B a.txt\n",
       "2: \"fiel\" is not a manifest item (folder, program, description, link, mode, file, "
       "personal, disk)"},
      {"file x A a.txt\n", "1: condition must be one of . 1 2 3 = ?, not \"x\""},
      {"file . A\n", "1: file takes a condition, a name and a source file"},
      {"file . sub/A a.txt\n", "1: file name \"sub/A\" holds a folder or drive part"},
      {"personal . .. a.txt\n", "1: file name \"..\" is not a file"},
      {"file . \"A B a.txt\n", "1: a quoted word has no closing quote"},
      {"file . A missing.txt\n",
       "1: cannot read source \"" + (dir / "missing.txt") + "\" (no such file)"},
      {"file . A big.bin\n", "1: source \"" + (dir / "big.bin") +
                                 "\" is 2097153 bytes, over the 2097152 (2 MiB) a file may hold"},
      {"# nine\n" + nine_disks, "10: more than eight disks (the last continuation file is 9.DAT)"},
      {"disk " + std::string(64, 'L') + "\n", "1: disk label is longer than 63 characters"},
      {"mode 256\n", "1: mode must be a number from 0 to 255, not \"256\""},
      {"folder A\nfolder B\n", "2: \"folder\" is given twice"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.manifest);
    write(dir.path() / "m.lst", c.manifest);
    const Result r = setuppack({"pack", dir / "stub.exe", dir / "m.lst", dir / "SETUP.EXE"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "setuppack: " + (dir / "m.lst") + ":" + c.message + "\n");
    EXPECT_FALSE(fs::exists(dir.path() / "SETUP.EXE"));
    EXPECT_FALSE(fs::exists(dir.path() / "2.DAT"));
  }
}

TEST(SetupPack, BadPayloadStopsWithOneLineAndWritesNothingOutsideFolder) {
  Folder dir("badpayload");
  Bytes image(64, 'S');
  set_payload_offset(image, 64);
  const Bytes good{'g', 'o', 'o', 'd'};
  append_file_record(image, false, '.', "GOOD.TXT", kUnixEpochFileTime, 4, dcl::implode(good));
  const std::size_t bad_at = image.size();
  append_file_record(image, false, '.', "..", kUnixEpochFileTime, 4, dcl::implode(good));
  write(dir.path() / "BAD.EXE", image);
  fs::create_directories(dir.path() / "inst");
  // A link planted at the target must be replaced, not written through.
  write(dir.path() / "outside.txt", std::string("untouched"));
  fs::create_symlink(dir.path() / "outside.txt", dir.path() / "inst/GOOD.TXT");

  Result r = setuppack({"extract", dir / "BAD.EXE", dir / "inst"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Installing file: " + (dir / "inst/GOOD.TXT") +
                       "\nsetuppack: " + (dir / "BAD.EXE") + ": record at offset " +
                       std::to_string(bad_at) + ": file name \"..\" is not a file\n");
  EXPECT_EQ(read(dir.path() / "inst/GOOD.TXT"), good);
  EXPECT_FALSE(fs::is_symlink(dir.path() / "inst/GOOD.TXT"));
  const std::string untouched = "untouched";
  EXPECT_EQ(read(dir.path() / "outside.txt"), Bytes(untouched.begin(), untouched.end()));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "inst"), fs::directory_iterator()),
            1);

  // No payload at all: list and extract name the image instead of running on defaults.
  write(dir.path() / "PLAIN.EXE", std::string(64, 'S'));
  for (const char* command : {"list", "extract"}) {
    SCOPED_TRACE(command);
    r = setuppack({command, dir / "PLAIN.EXE", dir / "inst2"});
    if (std::string(command) == "list") r = setuppack({command, dir / "PLAIN.EXE"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "setuppack: " + (dir / "PLAIN.EXE") +
                         ": the payload offset 1397969747 lies at or beyond "
                         "the end of the file (64 bytes): there is no payload\n");
  }
  EXPECT_FALSE(fs::exists(dir.path() / "inst2"));
}

TEST(SetupPack, HelpOnEachCommandAndOneLineUsageErrors) {
  for (const char* command : {"pack", "list", "extract"}) {
    const Result r = setuppack({command, "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind(std::string("setuppack ") + command, 0), 0u) << r.out;
  }
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"pack", "a"}, {"list"}, {"pack", "--dict", "9", "a", "b", "c"}}) {
    const Result r = setuppack(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

}  // namespace
}  // namespace payload
