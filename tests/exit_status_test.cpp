// The programs as processes: a failure is one line on standard error and
// exit status 2, with nothing of the tool's own after it. What each tool does
// with its files when a run fails is checked in-process, over the same tools,
// in gridkit/tests/tool_dialogue_test.cpp; here each program's main must turn
// the failure into the status. A program not built (a partial build) is
// skipped. Nothing is left in the folder.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.hpp"

namespace {

namespace fs = std::filesystem;

struct MissingInput {
  const char* program;
  const char* answers;     // naming an input that does not exist ...
  const char* missing;     // ... this one
  const char* args = "";   // the command line, for the programs that take one
  const char* error = "";  // the line, when it is not "open MISSING: no such file"
};

const MissingInput kCases[] = {
    {"tallowin", "NOSUCH.DAT\n", "NOSUCH.DAT"},
    {"tallowex", "NOSUCH.DAT\n", "NOSUCH.DAT"},
    {"plover", "NOSUCH.XYZ\n", "NOSUCH.XYZ"},  // once exit status 0, having converted nothing
    {"quarrypit", "NOSUCH.XYZ\nZONES\n", "NOSUCH.XYZ"},
    {"lanterns", "NOSUCH\n", "NOSUCH.xyz"},
    {"pinchlay", "NOSUCH.ARR\n", "NOSUCH.ARR"},
    {"layorder", "NOSUCH\n", "NOSUCH.DAT"},
    {"corbella", "2\n2\nLAY1\nNOSUCH.ARR\n", "NOSUCH.ARR"},
    {"heron2", "NOSUCH.DAT\n", "NOSUCH.DAT"},
    {"brisket", "NOSUCH.ARR\n", "NOSUCH.ARR"},
    {"brisket-early", "NOSUCH.ARR\n", "NOSUCH.ARR"},
    {"brisket2", "NOSUCH.ARR\n", "NOSUCH.ARR"},
    {"brisket4", "NOSUCH.ARR\n", "NOSUCH.ARR"},
    {"kitgeo", "", "NOSUCH.tif", "import NOSUCH.tif OUT.DAT --layout int"},
    {"setuppack", "", "NOSUCH.EXE", "list NOSUCH.EXE",
     "setuppack: NOSUCH.EXE: cannot be opened (No such file or directory)"},
};

// The exit status of `program` run in `folder` with `args` and `answers` on
// standard input; its streams land beside the folder's own files.
int run_program(const kit_test::ScratchFolder& folder, const std::string& program,
                const std::string& answers, const std::string& args = "") {
  folder.write("answers.txt", answers);
  const std::string command = "cd '" + folder.path().string() + "' && '" KIT_BIN_DIR "/" + program +
                              "' " + args + " <answers.txt >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ExitStatus, MissingInputGivesStatusTwoAndOneLineOnStandardError) {
  for (const MissingInput& c : kCases) {
    if (!fs::exists(fs::path(KIT_BIN_DIR) / c.program)) continue;
    SCOPED_TRACE(c.program);
    const kit_test::ScratchFolder folder;
    EXPECT_EQ(run_program(folder, c.program, c.answers, c.args), 2);
    const std::string error =
        *c.error ? c.error : "open " + std::string(c.missing) + ": no such file";
    EXPECT_EQ(folder.read("err.txt"), error + "\n");
    EXPECT_EQ(folder.read("out.txt").find("Stop"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 3)
        << "only answers, out and err";
  }
}

TEST(ExitStatus, EndOfStandardInputIsAnErrorNotAHang) {
  const kit_test::ScratchFolder folder;
  EXPECT_EQ(run_program(folder, "tallowin", ""), 2);
}

}  // namespace
