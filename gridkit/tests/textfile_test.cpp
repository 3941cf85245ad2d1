// The file layer's promise that no run destroys a file: when an output
// replaces its name, when it is discarded, and how inputs are opened.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "gridkit/console.hpp"
#include "gridkit/error.hpp"
#include "gridkit/notes.hpp"
#include "gridkit/temporary_files.hpp"
#include "gridkit/textfile.hpp"
#include "tests/support/scratch_folder.hpp"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

using Folder = kit_test::ScratchFolder;

// How an output ends, and what stands under its name afterwards, with and
// without a file "OLD" there before.
TEST(OutFile, ReplacesItsNameOnlyAtANormalEnd) {
  struct Case {
    const char* why;
    bool earlier;
    bool write_line;
    bool stop_with_error;
    const char* left;  // content under the name afterwards; nullptr: no file
  };
  const Case cases[] = {
      {"normal end with lines", true, true, false, "NEW\n"},
      {"normal end with nothing written: an empty output is a result", true, false, false, ""},
      {"error after writing over an earlier file: the earlier file stays", true, true, true,
       "OLD\n"},
      {"error before writing: the earlier file stays", true, false, true, "OLD\n"},
      {"error after writing under a new name: what was written is kept", false, true, true,
       "NEW\n"},
      {"error before writing under a new name: no file appears", false, false, true, nullptr},
  };
  for (const Case& c : cases) {
    Folder folder;
    if (c.earlier) folder.write("OUT.DAT", "OLD\n");
    try {
      OutFile out(folder / "OUT.DAT", "OUT.DAT");
      if (c.write_line) out.line("NEW");
      out.flush();
      EXPECT_EQ(folder.read("OUT.DAT"), c.earlier ? "OLD\n" : "")
          << c.why << ": replaced while still open";
      if (c.stop_with_error) throw KitError("stop");
    } catch (const KitError&) {
    }
    EXPECT_EQ(folder.has("OUT.DAT"), c.left != nullptr) << c.why;
    if (c.left) {
      EXPECT_EQ(folder.read("OUT.DAT"), c.left) << c.why;
    }
    EXPECT_EQ(folder.listing().size(), c.left ? 1u : 0u) << c.why << ": a temporary file was left";
  }
}

// A write that fails part of the way (a file-size limit here, as a full disk
// would) never puts the cut-short file in place of the earlier one.
TEST(OutFile, AFailedWriteLeavesTheEarlierFile) {
  struct Case {
    const char* why;
    int lines;   // of 100 characters; the limit is 4096 bytes
    bool close;  // close() rather than an error unwinding
  };
  const Case cases[] = {
      {"a line that fills the buffer fails", 1000, false},
      {"close fails", 50, true},
      {"another error stops the run after lines that could not be written", 50, false},
  };
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old_limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  for (const Case& c : cases) {
    Folder folder;
    folder.write("OUT.DAT", "OLD\n");
    rlimit limit = old_limit;
    limit.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::string error;
    try {
      OutFile out(folder / "OUT.DAT", "OUT.DAT");
      for (int k = 0; k < c.lines; ++k) out.line(std::string(99, 'x'));
      if (c.close) out.close();
      throw KitError("stop");
    } catch (const KitError& e) {
      error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old_limit);
    if (c.lines == 1000 || c.close) {
      EXPECT_EQ(error, "write OUT.DAT: file too large") << c.why;
    }
    EXPECT_EQ(folder.read("OUT.DAT"), "OLD\n") << c.why;
    EXPECT_EQ(folder.listing().size(), 1u) << c.why << ": a temporary file was left";
  }
  std::signal(SIGXFSZ, old_handler);
}

TEST(OutFile, NoFileAppearsWhenAnErrorStopsARunBeforeWriting) {
  Folder folder;
  try {
    OutFile out(folder / "NEW.DAT", "NEW.DAT");
    throw std::runtime_error("stop");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(fs::exists(folder / "NEW.DAT"));
  EXPECT_EQ(folder.listing().size(), 0u);
}

TEST(OutFile, InputOfTheSameNameIsReadAsItWas) {
  Folder folder;
  folder.write("SAME.DAT", "before\n");
  OutFile out(folder / "SAME.DAT", "SAME.DAT");
  out.line("after");
  InFile in = InFile::open_existing(folder / "SAME.DAT", "SAME.DAT");
  out.close();
  EXPECT_EQ(in.require_line(), "before");
  EXPECT_EQ(folder.read("SAME.DAT"), "after\n");
}

TEST(OutFile, AFolderOrAMissingFolderIsAnOpenError) {
  Folder folder;
  fs::create_directories(folder / "SUB");
  EXPECT_THROW(OutFile(folder / "SUB", "SUB"), KitError);
  EXPECT_THROW(OutFile(folder / "NO" / "X.DAT", "NO/X.DAT"), KitError);
  EXPECT_EQ(folder.listing().size(), 1u);
}

TEST(InFile, MissingFileIsAnOpenErrorAndIsNotCreated) {
  Folder folder;
  try {
    InFile::open_existing(folder / "NONE.DAT", "NONE.DAT");
    FAIL() << "no error";
  } catch (const KitError& e) {
    EXPECT_STREQ(e.what(), "open NONE.DAT: no such file");
  }
  EXPECT_FALSE(fs::exists(folder / "NONE.DAT"));
}

// Inputs that cannot be read as a file say why, in the system's words where
// it has some, and show a name exactly, control bytes escaped.
TEST(InFile, UnreadableInputsSayWhy) {
  struct Case {
    const char* why;
    std::string path;  // in the scratch folder unless absolute
    std::string name;
    std::string message;
  };
  const Case cases[] = {
      {"a folder", "SUB", "SUB", "open SUB: is a folder, not a file"},
      {"a name ending in a tab", "ZONES.BOL\t", "ZONES.BOL\t",
       "open \"ZONES.BOL\\t\": no such file"},
      {"a carriage return and a bell", "A\rB\a", "A\rB\a", "open \"A\\rB\\x07\": no such file"},
      {"an endless device stops at the bound", "/dev/zero", "/dev/zero",
       "read /dev/zero: larger than 256 MiB"},
  };
  for (const Case& c : cases) {
    Folder folder;
    fs::create_directories(folder / "SUB");
    try {
      InFile::open_existing(c.path.starts_with('/') ? fs::path(c.path) : folder / c.path, c.name);
      ADD_FAILURE() << c.why << ": no error";
    } catch (const KitError& e) {
      EXPECT_EQ(e.what(), c.message) << c.why;
    }
  }
}

TEST(InFile, ByteOrderMarkIsSkippedWithANote) {
  Folder folder;
  folder.write("BOM.DAT",
               "\xEF\xBB\xBF"
               "1 2 3\n");
  folder.write("PLAIN.DAT", "1 2 3\n");
  const NoteCapture notes;
  EXPECT_EQ(InFile::open_existing(folder / "BOM.DAT", "BOM.DAT").require_line(), "1 2 3");
  EXPECT_EQ(InFile::open_existing(folder / "PLAIN.DAT", "PLAIN.DAT").require_line(), "1 2 3");
  EXPECT_EQ(notes.text(), "BOM.DAT: UTF-8 byte-order mark at the start skipped\n");
}

// Only an answer that loses more than blanks to its field earns a note.
TEST(Console, NameCutToItsFieldIsNoted) {
  std::istringstream in("ABCDEFGHIJKLMNO\nAB" + std::string(20, ' ') + "\n");
  std::ostringstream out;
  Console con(in, out);
  const NoteCapture notes;
  EXPECT_EQ(con.read_field(12), "ABCDEFGHIJKL");
  EXPECT_EQ(con.read_field(12), "AB          ");
  EXPECT_EQ(notes.text(),
            "the answer \"ABCDEFGHIJKLMNO\" is longer than its 12-character field; "
            "\"ABCDEFGHIJKL\" is used\n");
  EXPECT_EQ(out.str(), "") << "the console transcript carries no note";
}

// A signal removes the temporary files still listed, and ends the program
// as it would have; a file taken off the list stays.
TEST(TemporaryListing, ASignalRemovesTheFilesStillListed) {
  const Folder folder;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    folder.write("held.part", "half a file");
    folder.write("released.part", "moved over its name");
    const pid_t child = ::fork();
    if (child == 0) {
      { const TemporaryListing released(folder / "released.part"); }
      const TemporaryListing held(folder / "held.part");
      ::raise(signal);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
    EXPECT_FALSE(fs::exists(folder / "held.part"));
    EXPECT_TRUE(fs::exists(folder / "released.part"));
  }
}

}  // namespace
}  // namespace gridkit
