// The programs as processes: a failure is one line on standard error and
// exit status 2, with nothing of the tool's own after it.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(ExitStatus, MissingInputGivesStatusTwoAndOneLineOnStandardError) {
  const fs::path dir = fs::temp_directory_path() / "exit_status_test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string command = "cd " + dir.string() + " && printf 'NOSUCH.DAT\\n' | " +
                              std::string(KIT_BIN_DIR) + "/tallowex >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  std::ifstream err(dir / "err.txt");
  std::stringstream text;
  text << err.rdbuf();
  EXPECT_EQ(text.str(), "open NOSUCH.DAT: no such file\n");
  std::ifstream out(dir / "out.txt");
  std::stringstream shown;
  shown << out.rdbuf();
  EXPECT_EQ(shown.str().find("Stop"), std::string::npos);
  fs::remove_all(dir);
}

TEST(ExitStatus, EndOfStandardInputIsAnErrorNotAHang) {
  const int status = std::system((std::string(KIT_BIN_DIR) + "/tallowin </dev/null >/dev/null 2>&1").c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
