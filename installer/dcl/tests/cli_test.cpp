// The dcl command: file handling, exit statuses and messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#if defined(_WIN32)
#define DCL_EXIT_STATUS(s) (s)
#else
#include <sys/wait.h>
#define DCL_EXIT_STATUS(s) WEXITSTATUS(s)
#endif

namespace {

namespace fs = std::filesystem;

class DclCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("dcl_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs dcl with the arguments; stderr goes to a file read by errors().
  int dcl(const std::string& args) {
    const std::string command = std::string("\"") + KIT_BIN_DIR + "/dcl\" " + args + " 2>\"" +
                                (dir_ / "stderr.txt").string() + "\" >\"" +
                                (dir_ / "stdout.txt").string() + "\"";
    return DCL_EXIT_STATUS(std::system(command.c_str()));
  }
  std::string read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string path(const std::string& name) const { return "\"" + (dir_ / name).string() + "\""; }

  fs::path dir_;
};

TEST_F(DclCommand, ImplodeThenExplodeGivesTheFileBack) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "row " + std::to_string(i % 37) + " of the grid\n";
  write("in.txt", text);
  for (const std::string options : {"", "--ascii", "--dict 1024", "--ascii --dict 4096"}) {
    ASSERT_EQ(dcl("implode " + options + " " + path("in.txt") + " " + path("in.imp")), 0);
    const std::string stream = read("in.imp");
    EXPECT_LT(stream.size(), text.size() / 4) << options;
    ASSERT_EQ(dcl("explode " + path("in.imp") + " " + path("out.txt")), 0) << options;
    EXPECT_EQ(read("out.txt"), text) << options;
  }
}

TEST_F(DclCommand, ExitStatusIsTheResultCodeAndOutputIsKept) {
  std::string text(20000, 'q');
  for (std::size_t i = 0; i < text.size(); i += 7) text[i] = static_cast<char>('a' + i % 26);
  write("in.txt", text);
  ASSERT_EQ(dcl("implode " + path("in.txt") + " " + path("in.imp")), 0);
  const std::string stream = read("in.imp");

  write("cut.imp", stream.substr(0, stream.size() / 2));
  EXPECT_EQ(dcl("explode " + path("cut.imp") + " " + path("cut.txt")), 4);
  const std::string partial = read("cut.txt");
  EXPECT_GT(partial.size(), 0U);
  EXPECT_EQ(partial, text.substr(0, partial.size()));
  EXPECT_NE(read("stderr.txt").find("input ended before the end code"), std::string::npos);

  write("bad.imp", std::string("\x00\x09", 2) + stream.substr(2));
  EXPECT_EQ(dcl("explode " + path("bad.imp") + " " + path("bad.txt")), 1);
  write("bad.imp", std::string("\x03\x05", 2) + stream.substr(2));
  EXPECT_EQ(dcl("explode " + path("bad.imp") + " " + path("bad.txt")), 2);
  write("short.imp", stream.substr(0, 4));
  EXPECT_EQ(dcl("explode " + path("short.imp") + " " + path("short.txt")), 3);
  EXPECT_FALSE(fs::exists(dir_ / "short.txt")) << "nothing decoded, so nothing created";
}

// An output replaces a file of its name only once something is written to
// it: a stream that decodes to nothing leaves an earlier file alone, and an
// input named as its own output is read whole before it is replaced.
TEST_F(DclCommand, OutputNeverDestroysAFileBeforeItHasBytesForIt) {
  std::string text(5000, 'r');
  write("in.txt", text);
  ASSERT_EQ(dcl("implode " + path("in.txt") + " " + path("in.imp")), 0);
  const std::string stream = read("in.imp");

  write("kept.txt", "results of an earlier run\n");
  write("bad.imp", std::string("\x00\x09", 2) + stream.substr(2));
  EXPECT_EQ(dcl("explode " + path("bad.imp") + " " + path("kept.txt")), 1);
  EXPECT_EQ(read("kept.txt"), "results of an earlier run\n");
  EXPECT_NE(read("stderr.txt").find("left as it was"), std::string::npos);

  write("same", stream);
  EXPECT_EQ(dcl("explode " + path("same") + " " + path("same")), 0);
  EXPECT_EQ(read("same"), text);
  EXPECT_EQ(dcl("implode " + path("same") + " " + path("same")), 0);
  EXPECT_EQ(read("same"), stream);

  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 7u) << "no temporary file is left (in.txt, in.imp, kept.txt, bad.imp, same, "
                            "stdout.txt, stderr.txt)";
}

TEST_F(DclCommand, UsageAndFileErrorsExitWithTwo) {
  write("in.txt", "abc");
  EXPECT_EQ(dcl("implode --dict 3000 " + path("in.txt") + " " + path("o")), 2);
  EXPECT_NE(read("stderr.txt").find("--dict takes 1024, 2048 or 4096"), std::string::npos);
  EXPECT_EQ(dcl("implode " + path("in.txt")), 2);
  EXPECT_EQ(dcl("explode " + path("missing.imp") + " " + path("o")), 2);
  EXPECT_NE(read("stderr.txt").find("open " + (dir_ / "missing.imp").string() + ": no such file"),
            std::string::npos);
  EXPECT_EQ(dcl("implode " + path("missing.txt") + " " + path("o")), 2);
  // A closed standard input is a read error, never an empty stream.
  EXPECT_EQ(dcl("explode - " + path("o") + " <&-"), 2);
  EXPECT_NE(read("stderr.txt").find("read standard input: bad file descriptor"), std::string::npos);
  EXPECT_EQ(dcl("implode - " + path("o") + " <&-"), 2);
  EXPECT_FALSE(fs::exists(dir_ / "o"));
  EXPECT_EQ(dcl("implode " + path("in.txt") + " " + path("no/such/dir/o")), 2);
  EXPECT_NE(read("stderr.txt")
                .find("open " + (dir_ / "no/such/dir/o").string() + ": no such file or directory"),
            std::string::npos);
}

TEST_F(DclCommand, DashIsStandardInputOrOutput) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += "layer " + std::to_string(i % 11) + " top\n";
  write("in.txt", text);
  ASSERT_EQ(dcl("implode --ascii " + path("in.txt") + " " + path("file.imp")), 0);
  const std::string stream = read("file.imp");
  // Each combination of file and stream must give the same bytes.
  struct Case {
    std::string args;
    std::string output;  // the file that receives the result
    std::string expected;
  };
  const Case cases[] = {
      {"implode --ascii - " + path("a.imp") + " <" + path("in.txt"), "a.imp", stream},
      {"implode --ascii " + path("in.txt") + " -", "stdout.txt", stream},
      {"implode --ascii - - <" + path("in.txt"), "stdout.txt", stream},
      {"explode - " + path("b.txt") + " <" + path("file.imp"), "b.txt", text},
      {"explode " + path("file.imp") + " -", "stdout.txt", text},
      {"explode - - <" + path("file.imp"), "stdout.txt", text},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dcl(c.args), 0) << c.args << ": " << read("stderr.txt");
    EXPECT_EQ(read(c.output), c.expected) << c.args;
  }
  // A cut stream on standard input still gives its decoded part and result 4.
  write("cut.imp", stream.substr(0, stream.size() / 2));
  EXPECT_EQ(dcl("explode - - <" + path("cut.imp")), 4);
  EXPECT_FALSE(read("stdout.txt").empty());
  EXPECT_EQ(text.rfind(read("stdout.txt"), 0), 0U);
}

TEST_F(DclCommand, HelpDescribesBothCommands) {
  EXPECT_EQ(dcl("--help"), 0);
  const std::string help = read("stdout.txt");
  EXPECT_NE(help.find("dcl explode IN OUT"), std::string::npos);
  EXPECT_NE(help.find("--dict"), std::string::npos);
  EXPECT_EQ(dcl("implode --help"), 0);
}

}  // namespace
