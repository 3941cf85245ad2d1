// The programs as processes: a failure is one line on standard error and
// exit status 2, with nothing of the tool's own after it. What each tool does
// with its files when a run fails is checked in-process, over the same tools,
// in gridkit/tests/tool_dialogue_test.cpp; here each program's main must turn
// the failure into the status. A program not built (a partial build) is
// skipped.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.hpp"

namespace {

namespace fs = std::filesystem;

struct MissingInput {
  const char* program;
  const char* answers;  // naming an input that does not exist ...
  const char* missing;  // ... this one
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
};

// The exit status of `program` run in `folder` with `answers` on standard
// input; its streams land beside the folder's own files.
int run_program(const kit_test::ScratchFolder& folder, const std::string& program, const std::string& answers) {
  folder.write("answers.txt", answers);
  const std::string command = "cd '" + folder.path().string() + "' && '" KIT_BIN_DIR "/" + program +
                              "' <answers.txt >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ExitStatus, MissingInputGivesStatusTwoAndOneLineOnStandardError) {
  for (const MissingInput& c : kCases) {
    if (!fs::exists(fs::path(KIT_BIN_DIR) / c.program)) continue;
    SCOPED_TRACE(c.program);
    const kit_test::ScratchFolder folder;
    EXPECT_EQ(run_program(folder, c.program, c.answers), 2);
    EXPECT_EQ(folder.read("err.txt"), "open " + std::string(c.missing) + ": no such file\n");
    EXPECT_EQ(folder.read("out.txt").find("Stop"), std::string::npos);
  }
}

TEST(ExitStatus, EndOfStandardInputIsAnErrorNotAHang) {
  const kit_test::ScratchFolder folder;
  EXPECT_EQ(run_program(folder, "tallowin", ""), 2);
}

}  // namespace
