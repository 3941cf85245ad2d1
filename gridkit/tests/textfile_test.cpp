// The file layer's promise that no run destroys a file: when an output
// replaces its name, when it is discarded, and how inputs are opened.
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "gridkit/console.hpp"
#include "gridkit/error.hpp"
#include "gridkit/notes.hpp"
#include "gridkit/textfile.hpp"
#include "tests/support/scratch_folder.hpp"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

using Folder = kit_test::ScratchFolder;

// How an output ends, and what stands under its name afterwards, when a file
// "OLD" stood there before.
TEST(OutFile, ReplacesItsNameOnlyWhenClosedOrWhenSomethingWasWritten) {
  struct Case {
    const char* why;
    bool write_line;
    bool stop_with_error;
    const char* left;  // content under the name afterwards
  };
  const Case cases[] = {
      {"normal end with lines", true, false, "NEW\n"},
      {"normal end with nothing written: an empty output is a result", false, false, ""},
      {"error after writing: what was written is kept", true, true, "NEW\n"},
      {"error before writing: the earlier file stays", false, true, "OLD\n"},
  };
  for (const Case& c : cases) {
    Folder folder;
    folder.write("OUT.DAT", "OLD\n");
    try {
      OutFile out(folder / "OUT.DAT", "OUT.DAT");
      EXPECT_EQ(folder.read("OUT.DAT"), "OLD\n") << c.why << ": replaced while still open";
      if (c.write_line) out.line("NEW");
      if (c.stop_with_error) throw KitError("stop");
    } catch (const KitError&) {
    }
    EXPECT_EQ(folder.read("OUT.DAT"), c.left) << c.why;
    EXPECT_EQ(folder.listing().size(), 1u) << c.why << ": a temporary file was left";
  }
}

// A write that fails part of the way (a file-size limit here, as a full disk
// would) never puts the cut-short file in place of the earlier one.
TEST(OutFile, AFailedWriteLeavesTheEarlierFile) {
  struct Case {
    const char* why;
    int lines;                 // of 100 characters; the limit is 4096 bytes
    bool close;                // close() rather than an error unwinding
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
      EXPECT_EQ(error, "write OUT.DAT: the file could not be written") << c.why;
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

TEST(InFile, ByteOrderMarkIsSkippedWithANote) {
  Folder folder;
  folder.write("BOM.DAT", "\xEF\xBB\xBF" "1 2 3\n");
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

}  // namespace
}  // namespace gridkit
