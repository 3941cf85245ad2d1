// What the installer never does: run a payload's code ("?" on a library it
// has just installed), write outside its folder (an empty FOLDER, names the
// system would read as something else), lose an installed or packed file (a
// failed reinstall, a second image packed beside the first), or print a
// name's control bytes raw.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "installer/payload/copy_phase.hpp"
#include "installer/payload/encode.hpp"
#include "installer/payload/library_search.hpp"
#include "installer/payload/posix_platform.hpp"
#include "installer/payload/setuppack.hpp"
#include "installer/payload/tests/fake_platform.hpp"

namespace payload::testing {
namespace {

namespace fs = std::filesystem;

class Scratch {
 public:
  explicit Scratch(const std::string& name)
      : path_(fs::temp_directory_path() / ("payload_safety_" + name + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Scratch() { fs::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void put(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Ran {
  int status;
  std::string out, err;
};

Ran setuppack(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = run_setuppack(args, out, err, nullptr);
  return {status, out.str(), err.str()};
}

// Runs the setuppack program through the shell (`prefix` sets its
// surroundings); its exit status and standard error.
Ran setuppack_process(const std::string& prefix, const std::string& args, const Scratch& dir) {
  const std::string command = prefix + " exec " + KIT_BIN_DIR "/setuppack " + args + " 2>" +
                              (dir / "err.txt") + " </dev/null";
  const int status = std::system(("sh -c '" + command + "'").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", slurp(dir / "err.txt")};
}

bool has_part_files(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".part") || name.find(".tmp") != std::string::npos) return true;
  }
  return false;
}

TEST(Safety, PresenceTestLooksForTheFileAndNeverRunsTheLibrary) {
  // The marker library does leave its marker when it is loaded.
  Scratch dir("library");
  const std::string marker = dir / "loaded.marker";
  ::setenv("KITZ_MARKER", marker.c_str(), 1);
  void* probe = ::dlopen(KITZ_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(probe, nullptr);
  ::dlclose(probe);
  ASSERT_TRUE(fs::exists(marker));
  fs::remove(marker);

  // An image that installs libkitz.so, then tests "?" for that name with the
  // current folder and the install folder on the library path.
  put(dir / "stub", std::string(64, 'S'));
  put(dir / "m.lst", std::string("file . libkitz.so ") + KITZ_LIBRARY + "\nfile ? libkitz.so " +
                         KITZ_LIBRARY + "\n");
  ASSERT_EQ(setuppack({"pack", dir / "stub", dir / "m.lst", dir / "SETUP.EXE"}).status, 0);
  fs::create_directories(dir / "inst");
  const Ran run = setuppack_process(
      "cd " + (dir / "inst") + " && KITZ_MARKER=" + marker + " LD_LIBRARY_PATH=.:" + (dir / "inst"),
      "extract " + (dir / "SETUP.EXE") + " " + (dir / "inst"), dir);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(fs::exists(marker)) << "the installed library's start-up code ran";
  // Neither folder counts, so "?" installed the file a second time.
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 3) << run.err;

  struct Case {
    const char* name;
    std::string library_path;
    bool present;
    const char* why;
  };
  fs::create_directories(dir / "libs");
  put(dir / "libs/libonly-here.so.1", "not code");
  const Case cases[] = {
      {"libc.so.6", "", true, "the C library, found through the loader's cache"},
      {"libkit-made-up-name.so.9", "", false, "a name no folder holds"},
      {"libonly-here.so.1", dir / "libs", true, "an absolute LD_LIBRARY_PATH folder"},
      {"libonly-here.so.1", "libs", false, "a relative one stands for the current folder"},
      {"libkitz.so", dir / "inst", false, "the install folder never counts"},
      {"../libs/libonly-here.so.1", dir / "inst", false, "a name with a folder part"},
  };
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  std::ostringstream quiet;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    ::setenv("LD_LIBRARY_PATH", c.library_path.c_str(), 1);
    PosixPlatform platform(quiet, nullptr);
    EXPECT_EQ(platform.library_present(c.name, dir / "inst"), c.present) << c.name;
  }
  ::unsetenv("LD_LIBRARY_PATH");
  fs::current_path(before);
  EXPECT_FALSE(fs::exists(marker));
}

TEST(Safety, LoaderCacheEntriesAreReadWithinTheirBounds) {
  std::ifstream in(PosixPlatform::kLoaderCache, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const Bytes cache(text.begin(), text.end());
  bool found = false;
  for (const CachedLibrary& library : parse_loader_cache(cache))
    found |= library.name == "libc.so.6";
  EXPECT_TRUE(found) << "libc.so.6 in " << PosixPlatform::kLoaderCache;
  for (std::size_t cut :
       {std::size_t{0}, std::size_t{11}, std::size_t{20}, std::size_t{47}, cache.size() / 2}) {
    if (cut > cache.size()) continue;
    for (const CachedLibrary& library : parse_loader_cache(std::span(cache).first(cut))) {
      EXPECT_FALSE(library.name.empty());  // whatever remains was read inside the cut
    }
  }
  EXPECT_EQ(loader_folders("/a::rel:/b/:/a", {{"x", "/c/x"}}).front(), "/a");
  EXPECT_EQ(loader_folders("/a::rel:/b/:/a", {{"x", "/c/x"}}).at(2), "/c");
}

TEST(Safety, EmptyFolderIsRefusedBeforeAnythingIsWritten) {
  Scratch dir("empty");
  Bytes image(64, 'S');
  set_payload_offset(image, 64);
  append_file_record(image, false, '.', "A.TXT", kUnixEpochFileTime, 1,
                     dcl::implode(bytes_of("a")));
  append_end_record(image);
  put(dir / "SETUP.EXE", std::string(image.begin(), image.end()));
  const Ran run = setuppack({"extract", dir / "SETUP.EXE", ""});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("FOLDER is empty"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists("/A.TXT"));
}

TEST(Safety, FailedReinstallLeavesTheEarlierFileAndGivesTheReason) {
  Scratch dir("fsize");
  put(dir / "stub", std::string(64, 'S'));
  put(dir / "big.bin", std::string(300000, 'b'));
  put(dir / "m.lst", "file . SMALL.TXT m.lst\nfile . BIG.BIN big.bin\n");
  ASSERT_EQ(setuppack({"pack", dir / "stub", dir / "m.lst", dir / "SETUP.EXE"}).status, 0);
  fs::create_directories(dir / "inst");
  put(dir / "inst/BIG.BIN", "the earlier file");
  // 64 blocks of 512 or 1024 bytes: SMALL.TXT fits, BIG.BIN does not.
  const Ran run = setuppack_process("trap \"\" XFSZ; ulimit -f 64;",
                                    "extract " + (dir / "SETUP.EXE") + " " + (dir / "inst"), dir);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(
      run.err.find("cannot install \"" + (dir / "inst/BIG.BIN") + "\": write: File too large"),
      std::string::npos)
      << run.err;
  EXPECT_EQ(slurp(dir / "inst/BIG.BIN"), "the earlier file");
  EXPECT_EQ(slurp(dir / "inst/SMALL.TXT"), slurp(dir / "m.lst"));
  EXPECT_FALSE(has_part_files(dir.path() / "inst"));
}

TEST(Safety, PackReplacesOnlyTheContinuationFilesOfTheImageItReplaces) {
  Scratch dir("twoimages");
  put(dir / "stub", std::string(64, 'S'));
  put(dir / "a.txt", "first image's file");
  put(dir / "b.txt", "second image's file");
  put(dir / "first.lst", "file . A.TXT a.txt\ndisk Two\nfile . A2.TXT a.txt\n");
  put(dir / "second.lst", "file . B.TXT b.txt\ndisk Two\nfile . B2.TXT b.txt\n");
  ASSERT_EQ(setuppack({"pack", dir / "stub", dir / "first.lst", dir / "FIRST.EXE"}).status, 0);
  const std::string first_dat = slurp(dir / "2.DAT");
  struct Case {
    std::vector<std::string> args;
    const char* refusal;  // nullptr: packed
    const char* why;
  };
  const Case cases[] = {
      {{dir / "stub", dir / "second.lst", dir / "SECOND.EXE"},
       "2.DAT\" exists and is not a continuation file",
       "a second image beside the first"},
      {{dir / "stub", dir / "first.lst", dir / "first.lst"},
       "it is the same file as the manifest",
       "the manifest as output"},
      {{dir / "stub", dir / "second.lst", dir / "b.txt"},
       "it is the same file as the source of line 1",
       "a source as output"},
      {{dir / "stub", dir / "first.lst", dir / "FIRST.EXE"},
       nullptr,
       "the same image packed again"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::vector<std::string> args{"pack"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const std::string out_before = slurp(c.args[2]);
    const Ran run = setuppack(args);
    if (c.refusal == nullptr) {
      EXPECT_EQ(run.status, 0) << run.err;
      continue;
    }
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.refusal), std::string::npos) << run.err;
    EXPECT_EQ(slurp(c.args[2]), out_before);
    EXPECT_EQ(slurp(dir / "2.DAT"), first_dat);
  }
  EXPECT_FALSE(fs::exists(dir / "SECOND.EXE"));
  EXPECT_FALSE(has_part_files(dir.path()));
  const Ran forced =
      setuppack({"pack", "--force", dir / "stub", dir / "second.lst", dir / "SECOND.EXE"});
  EXPECT_EQ(forced.status, 0) << forced.err;
  EXPECT_NE(slurp(dir / "2.DAT"), first_dat);
}

TEST(Safety, NamesTheSystemWouldMisreadAreRefusedAndShownEscaped) {
  Scratch dir("names");
  put(dir / "stub", std::string(64, 'S'));
  put(dir / "a.txt", "a");
  const std::string names[] = {"A\x1B[2JB", "TAB\tNAME", "BELL\a", "A<B", "A>B",
                               "A\"B",      "A|B",       "A?B",    "A*B"};
  for (const std::string& name : names) {
    SCOPED_TRACE(shown(name));
    // The copy phase refuses it, whether or not the record would be installed.
    const Bytes stream =
        Stream().file("FIRST.TXT", bytes_of("1")).file(name, bytes_of("x"), '2').end().bytes;
    FakePlatform platform;
    CopySettings settings;
    settings.install_folder = "C:\\T";
    const LoadResult loaded =
        load_install_header_from(image_of({}, stream), "A:\\SETUP.EXE", "A:\\");
    const auto failure = run_record_stream(loaded.payload, settings, platform);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->message().find("file name \"" + shown(name) + "\" holds"), std::string::npos)
        << failure->message();
    EXPECT_EQ(platform.files.size(), 1u);

    // The packer refuses it (a tab would split the line into other words).
    if (name.find('\t') == std::string::npos) {
      put(dir / "m.lst", "file . " + name + " a.txt\n");
      const Ran run = setuppack({"pack", dir / "stub", dir / "m.lst", dir / "OUT.EXE"});
      EXPECT_EQ(run.status, 2);
      EXPECT_NE(run.err.find("holds"), std::string::npos) << run.err;
      EXPECT_FALSE(fs::exists(dir / "OUT.EXE"));
    }
  }

  // `list` of an image with ESC in the header and in a file name.
  InstallHeader header;
  header.install_folder = "C:\\\x1B]0;pwned\a";
  header.has_folder = true;
  const Bytes stream =
      Stream().file("OK.TXT", bytes_of("1")).file("A\x1B[2JB", bytes_of("x")).end().bytes;
  const Bytes image = image_of(header, stream);
  put(dir / "ESC.EXE", std::string(image.begin(), image.end()));
  const Ran run = setuppack({"list", dir / "ESC.EXE"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("C:\\\\x1B]0;pwned\\x07"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("A\\x1B[2JB"), std::string::npos) << run.err;
  EXPECT_EQ((run.out + run.err).find('\x1B'), std::string::npos);
  EXPECT_EQ((run.out + run.err).find('\a'), std::string::npos);
}

}  // namespace
}  // namespace payload::testing
