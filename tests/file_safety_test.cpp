// Every program that writes files, run as a process under the conditions
// that used to cost a user a file: a write the system refuses (a file-size
// limit), a FIFO, /dev/null and a symbolic link in an output's place, an
// input that is the output itself, and SIGTERM in the middle of a run.
// After each, every file that stood before is byte for byte as it was
// (unless the run was meant to replace it) and no temporary file is left.
// A program not built (a partial build) is skipped.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/grid.hpp"
#include "tests/support/grid_files.hpp"
#include "tests/support/scratch_folder.hpp"

namespace {

namespace fs = std::filesystem;
using kit_test::ScratchFolder;

const std::string kEarlier = "an earlier run's results\n";

// How a run is caught in its middle: blocked on standard input that is held
// open after the first answers (its outputs already open); blocked opening a
// later output that is a FIFO nobody reads (HERON2's NEWRIVER.RIV); or
// working through a large input, caught when its temporary file appears.
enum class Interrupt { held_input, fifo_output, large_input, none };

struct Tool {
  const char* program;
  std::vector<std::string> args;  // command line; empty for a dialogue
  std::string answers;            // standard input
  std::string held_answers;       // for Interrupt::held_input: what is sent before holding
  const char* output;             // the output the cases aim at
  const char* input;              // an input of the run, for the same-file case
  const char* refusal;            // how it refuses an input as its output, or nullptr
  Interrupt interrupt;
  std::function<void(const ScratchFolder&, bool large)> inputs;
  const char* fsize_reason;  // the system's reason a refused write reports, or any
};

fs::path sample(const char* name) { return fs::path(KIT_SOURCE_DIR) / "samples/model" / name; }

void copy_samples(const ScratchFolder& f, std::initializer_list<const char*> names) {
  for (const char* name : names) fs::copy_file(sample(name), f / name);
}

// The model's IBOUND with every cell active, and a real array over it.
void write_grids(const ScratchFolder& f, const char* real_array = "LEVEL.ARR") {
  kit_test::write_int_grid(f / "ONES.BOL", kit_test::make_int_grid([](int, int) { return 1; }));
  kit_test::write_fixed_grid(
      f / real_array, kit_test::make_grid(gridkit::NROW(), gridkit::NCOL(), [](int r, int c) {
        return 400.0f + 0.5f * static_cast<float>(r + c);
      }));
}

// `copies` times the lines of a sample, for runs long enough to interrupt.
void write_repeated(const ScratchFolder& f, const char* name, const char* from, int copies) {
  const std::string one = kit_test::read_text(sample(from));
  std::string all;
  for (int k = 0; k < copies; ++k) all += one;
  f.write(name, all);
}

// A closed square curve across the grid, in CRSTM metres.
const char* const kSquareCurve =
    "300000 200000 0\n400000 200000 0\n400000 300000 0\n300000 300000 0\n300000 200000 0\n";

std::vector<Tool> tools() {
  // One program a row, laid out by hand.
  // clang-format off
  return {
      {"lanterns", {}, "BASIN\n", "", "BASIN.OUT", "BASIN.xyz", nullptr, Interrupt::large_input,
       [](const ScratchFolder& f, bool large) {
         if (large) {
           write_repeated(f, "BASIN.xyz", "BASIN.xyz", 10000);
         } else {
           copy_samples(f, {"BASIN.xyz"});
         }
       },
       "file too large"},
      {"quarrypit", {}, "SQUARE.OUT\nZONES\n1\nN\n", "SQUARE.OUT\nZONES\n", "ZONES.BOL",
       "SQUARE.OUT", nullptr, Interrupt::held_input,
       [](const ScratchFolder& f, bool) { f.write("SQUARE.OUT", kSquareCurve); }, "file too large"},
      {"brisket", {}, "ONES.BOL\nWLPOINTS.XYZ\nWL\n5\n0.001\n", "ONES.BOL\nWLPOINTS.XYZ\nWL\n",
       "WL.BSK", "WLPOINTS.XYZ", nullptr, Interrupt::held_input,
       [](const ScratchFolder& f, bool) { write_grids(f); copy_samples(f, {"WLPOINTS.XYZ"}); },
       "file too large"},
      {"brisket-early", {}, "ONES.BOL\nWLPOINTS.XYZ\nWL\n5\n0.001\n",
       "ONES.BOL\nWLPOINTS.XYZ\nWL\n", "WL.BSK", "WLPOINTS.XYZ", nullptr, Interrupt::held_input,
       [](const ScratchFolder& f, bool) { write_grids(f); copy_samples(f, {"WLPOINTS.XYZ"}); },
       "file too large"},
      {"brisket2", {}, "ONES.BOL\nLEVEL.ARR\nWL\n5\n0.001\n",
       "ONES.BOL\nLEVEL.ARR\nWL\n", "WL.BSK", "LEVEL.ARR", nullptr, Interrupt::held_input,
       [](const ScratchFolder& f, bool) { write_grids(f); }, "file too large"},
      {"brisket4", {}, "ONES.BOL\nHELD.ARR\nLEVEL.ARR\nWLPOINTS.XYZ\nWL\n5\n0.001\n",
       "ONES.BOL\nHELD.ARR\nLEVEL.ARR\nWLPOINTS.XYZ\nWL\n", "WL.BSK", "HELD.ARR", nullptr,
       Interrupt::held_input,
       [](const ScratchFolder& f, bool) {
         write_grids(f);
         copy_samples(f, {"WLPOINTS.XYZ", "HELD.ARR"});
       },
       "file too large"},
      {"pinchlay", {}, "UNCONF.DAT\nPINCH.IBD\n2\nTOP1\nBOT1\nTOP2\nBOT2\nTOP3\nBOT3\nTOP4\nBOT4\n",
       "UNCONF.DAT\nPINCH.IBD\n2\nTOP1\nBOT1\nTOP2\nBOT2\nTOP3\nBOT3\nTOP4\n", "TOP1.UNC",
       "PINCH.IBD", nullptr, Interrupt::held_input,
       [](const ScratchFolder& f, bool) {
         copy_samples(f, {"UNCONF.DAT", "PINCH.IBD", "TOP1.DAT", "BOT1.DAT", "TOP2.DAT", "BOT2.DAT",
                          "TOP3.DAT", "BOT3.DAT", "TOP4.DAT", "BOT4.DAT"});
       },
       "file too large"},
      {"layorder", {}, "TOP1\nBOT1\nTOP2\nBOT2\nTOP3\nBOT3\nTOP4\nBOT4\nONES.BOL\n",
       "TOP1\nBOT1\nTOP2\nBOT2\nTOP3\nBOT3\nTOP4\nBOT4\n", "TOP1.MOD", "ONES.BOL", nullptr,
       Interrupt::held_input,
       [](const ScratchFolder& f, bool) {
         write_grids(f);
         copy_samples(f, {"TOP1.DAT", "BOT1.DAT", "TOP2.DAT", "BOT2.DAT", "TOP3.DAT", "BOT3.DAT",
                          "TOP4.DAT", "BOT4.DAT"});
       },
       "file too large"},
      {"corbella", {},
       "361\n470\nLAY\nSANDKH.ARR\nCLAYKH.ARR\nSANDKV.ARR\nCLAYKV.ARR\nPSAND1.DAT\n",
       "361\n470\nLAY\nSANDKH.ARR\nCLAYKH.ARR\nSANDKV.ARR\nCLAYKV.ARR\n", "LAY.KH", "PSAND1.DAT",
       nullptr, Interrupt::held_input,
       [](const ScratchFolder& f, bool) {
         copy_samples(f, {"SANDKH.ARR", "CLAYKH.ARR", "SANDKV.ARR", "CLAYKV.ARR", "PSAND1.DAT"});
       },
       "file too large"},
      {"heron2", {}, "RIVPKG.DAT\nONES.BOL\nRIVERS\n",
       "", "RIVERS.FL1", "RIVPKG.DAT", nullptr, Interrupt::fifo_output,
       [](const ScratchFolder& f, bool) { write_grids(f); copy_samples(f, {"RIVPKG.DAT"}); },
       "file too large"},
      {"tallowin", {}, "LANDSURF.DAT\nONES.BOL\n",
       "LANDSURF.DAT\n", "LANDSURF.GRD", "ONES.BOL", nullptr, Interrupt::held_input,
       [](const ScratchFolder& f, bool) { write_grids(f, "LANDSURF.DAT"); }, "file too large"},
      // TALLOWEX asks nothing after its one output opens and ends in a few
      // milliseconds; it is TALLOWIN's run and outputs, interrupted above.
      {"tallowex", {}, "LANDSURF.DAT\n", "", "LANDSURF.GRD", "LANDSURF.DAT", nullptr,
       Interrupt::none, [](const ScratchFolder& f, bool) { write_grids(f, "LANDSURF.DAT"); },
       "file too large"},
      {"plover", {}, "WELLS.XYZ\n", "", "GEO.OUT", "WELLS.XYZ", "this is the output file GEO.OUT",
       Interrupt::large_input,
       [](const ScratchFolder& f, bool large) {
         write_repeated(f, "WELLS.XYZ", "WELLS.XYZ", large ? 60000 : 200);
       },
       "file too large"},
      {"kitmap", {"zones", "ONES.BOL", "MAP.png", "--cell", "1"}, "", "",
       "MAP.png", "ONES.BOL", "the same file as the input", Interrupt::large_input,
       [](const ScratchFolder& f, bool) { write_grids(f); }, "file too large"},
      // GDAL writes the GeoPackage and gives its own reason for a refused write.
      {"kitgeo", {"export-points", "WELLS.XYZ", "WELLS.gpkg"}, "", "", "WELLS.gpkg", "WELLS.XYZ",
       "the same file as the input", Interrupt::large_input,
       [](const ScratchFolder& f, bool large) {
         write_repeated(f, "WELLS.XYZ", "WELLS.XYZ", large ? 6000 : 1);
       },
       nullptr},
      {"dcl", {"explode", "-", "OUT.TXT"}, "", "", "OUT.TXT", "-", nullptr,
       Interrupt::held_input, [](const ScratchFolder&, bool) {}, "file too large"},
  };
  // clang-format on
}

// DCL's input: an implode stream of a text of a few hundred kilobytes,
// made once by the dcl program itself.
const std::string& dcl_stream() {
  static const std::string stream = [] {
    const ScratchFolder f;
    std::string text;
    for (int k = 0; k < 20000; ++k)
      text += "layer " + std::to_string(k % 97) + " top " + std::to_string(k) + "\n";
    f.write("T.TXT", text);
    const std::string command = "'" KIT_BIN_DIR "/dcl' implode '" + (f / "T.TXT").string() + "' '" +
                                (f / "T.IMP").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return f.read("T.IMP");
  }();
  return stream;
}

struct Child {
  pid_t pid = -1;
  int input = -1;  // write end of the child's standard input
};

// Starts the program in `folder` with its standard error in `errors`.
Child start(const Tool& tool, const fs::path& folder, const fs::path& errors,
            const std::vector<std::string>& args, rlim_t file_size_limit) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return {};
  const std::string program = std::string(KIT_BIN_DIR) + "/" + tool.program;
  std::vector<std::string> words{program};
  words.insert(words.end(), args.begin(), args.end());
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipe_ends[0], 0);
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(err, 2);
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    if (file_size_limit != RLIM_INFINITY) {
      // The signal's default action, as a shell's ulimit leaves it: each
      // program must still report the refused write and clean up.
      ::signal(SIGXFSZ, SIG_DFL);
      const rlimit limit{file_size_limit, file_size_limit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(pipe_ends[0]);
  return {pid, pipe_ends[1]};
}

void send(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put <= 0) return;
    done += static_cast<std::size_t>(put);
  }
}

int wait_for(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

// Every regular file under the folder, with its bytes (links followed).
std::map<std::string, std::string> snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), folder).string()] = kit_test::read_text(entry.path());
  }
  return files;
}

std::vector<std::string> temporaries(const fs::path& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().filename().string().find(".tmp") != std::string::npos)
      found.push_back(entry.path().string());
  }
  return found;
}

bool is_char_device(const char* path) {
  struct stat info {};
  return ::lstat(path, &info) == 0 && S_ISCHR(info.st_mode);
}

// A test that failed to keep /dev/null a device would break the machine it
// runs on; put it back before reporting.
void keep_dev_null() {
  if (is_char_device("/dev/null")) return;
  ADD_FAILURE() << "/dev/null was replaced";
  ::unlink("/dev/null");
  ::mknod("/dev/null", S_IFCHR | 0666, makedev(1, 3));
}

struct Case {
  const char* why;
  std::function<void(const Tool&, const ScratchFolder& folder, const ScratchFolder& logs)> run;
};

// The program's standard input and arguments for a case, with the output
// named `output` (a command-line output is an argument).
std::vector<std::string> arguments(const Tool& tool, const std::string& output) {
  std::vector<std::string> args = tool.args;
  for (std::string& a : args) {
    if (a == tool.output) a = output;
  }
  return args;
}

std::string standard_input(const Tool& tool) {
  return std::string(tool.program) == "dcl" ? dcl_stream() : tool.answers;
}

// Runs the program to its end; returns its wait status.
int run_to_end(const Tool& tool, const ScratchFolder& folder, const ScratchFolder& logs,
               const std::string& output, rlim_t limit = RLIM_INFINITY) {
  const Child run = start(tool, folder.path(), logs / "err.txt", arguments(tool, output), limit);
  send(run.input, standard_input(tool));
  ::close(run.input);
  return wait_for(run.pid);
}

bool exited_with(int status, int code) { return WIFEXITED(status) && WEXITSTATUS(status) == code; }

TEST(FileSafety, EveryFileToolUnderHostileConditions) {
  const Case cases[] = {
      {"a file-size limit refuses the output's writes",
       [](const Tool& tool, const ScratchFolder& folder, const ScratchFolder& logs) {
         folder.write(tool.output, kEarlier);
         const auto before = snapshot(folder.path());
         const int status = run_to_end(tool, folder, logs, tool.output, 1024);
         EXPECT_TRUE(exited_with(status, 2)) << status;
         const std::string error = logs.read("err.txt");
         EXPECT_NE(error.find("write "), std::string::npos) << error;
         if (tool.fsize_reason) {
           EXPECT_NE(error.find(tool.fsize_reason), std::string::npos) << error;
         }
         for (const auto& [name, bytes] : before) EXPECT_EQ(folder.read(name), bytes) << name;
       }},
      {"a FIFO in the output's place is written through and stays a FIFO",
       [](const Tool& tool, const ScratchFolder& folder, const ScratchFolder& logs) {
         ASSERT_EQ(::mkfifo((folder / tool.output).c_str(), 0644), 0);
         const auto before = snapshot(folder.path());
         std::string drained;
         std::thread reader([&] {
           const int fd = ::open((folder / tool.output).c_str(), O_RDONLY);
           char buffer[65536];
           for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
             drained.append(buffer, static_cast<std::size_t>(got));
           ::close(fd);
         });
         const int status = run_to_end(tool, folder, logs, tool.output);
         // Let the reader go, had the program never opened the FIFO.
         ::close(::open((folder / tool.output).c_str(), O_WRONLY | O_NONBLOCK));
         reader.join();
         EXPECT_TRUE(exited_with(status, 0)) << logs.read("err.txt");
         EXPECT_FALSE(drained.empty());
         EXPECT_TRUE(fs::is_fifo(fs::symlink_status(folder / tool.output)));
         for (const auto& [name, bytes] : before) EXPECT_EQ(folder.read(name), bytes) << name;
       }},
      {"/dev/null as the output stays the device",
       [](const Tool& tool, const ScratchFolder& folder, const ScratchFolder& logs) {
         std::string output = "/dev/null";
         if (tool.args.empty()) {  // a dialogue names files in its folder: through a link
           fs::create_symlink("/dev/null", folder / tool.output);
           output = tool.output;
         }
         const auto before = snapshot(folder.path());
         const int status = run_to_end(tool, folder, logs, output);
         keep_dev_null();
         EXPECT_TRUE(exited_with(status, 0)) << logs.read("err.txt");
         if (tool.args.empty()) {
           EXPECT_TRUE(fs::is_symlink(folder / tool.output));
         }
         for (const auto& [name, bytes] : before) EXPECT_EQ(folder.read(name), bytes) << name;
       }},
      {"a symbolic link: the file it names is replaced, the link stays",
       [](const Tool& tool, const ScratchFolder& folder, const ScratchFolder& logs) {
         fs::create_directory(folder / "real");
         folder.write("real/TARGET", kEarlier);
         fs::create_symlink("real/TARGET", folder / tool.output);
         auto before = snapshot(folder.path());
         const int status = run_to_end(tool, folder, logs, tool.output);
         EXPECT_TRUE(exited_with(status, 0)) << logs.read("err.txt");
         EXPECT_TRUE(fs::is_symlink(folder / tool.output));
         EXPECT_NE(folder.read("real/TARGET"), kEarlier) << "the named file was not replaced";
         before.erase("real/TARGET");
         before.erase(tool.output);
         for (const auto& [name, bytes] : before) EXPECT_EQ(folder.read(name), bytes) << name;
       }},
      {"an input given again as the output",
       [](const Tool& tool, const ScratchFolder& folder, const ScratchFolder& logs) {
         if (std::string(tool.input) == "-") {  // dcl's input is its standard input here
           folder.write("SAME.IMP", dcl_stream());
           Tool in_place = tool;
           in_place.args = {"explode", "SAME.IMP", "SAME.IMP"};
           const int status = run_to_end(in_place, folder, logs, "SAME.IMP");
           EXPECT_TRUE(exited_with(status, 0)) << logs.read("err.txt");
           EXPECT_EQ(folder.read("SAME.IMP").substr(0, 12), "layer 0 top ") << "decoded in place";
           return;
         }
         // The output's name is a second name of the input (a hard link):
         // the same file, whichever way the names are spelt.
         fs::create_hard_link(folder / tool.input, folder / tool.output);
         auto before = snapshot(folder.path());
         const int status = run_to_end(tool, folder, logs, tool.output);
         if (tool.refusal) {
           EXPECT_TRUE(exited_with(status, 2));
           EXPECT_NE(logs.read("err.txt").find(tool.refusal), std::string::npos)
               << logs.read("err.txt");
         } else {
           EXPECT_TRUE(exited_with(status, 0)) << logs.read("err.txt");
           before.erase(tool.output);  // replaced by the run's result
         }
         for (const auto& [name, bytes] : before) EXPECT_EQ(folder.read(name), bytes) << name;
       }},
      {"SIGTERM in the middle of a run",
       [](const Tool& tool, const ScratchFolder& folder, const ScratchFolder& logs) {
         if (tool.interrupt == Interrupt::none) return;
         if (tool.interrupt == Interrupt::large_input) tool.inputs(folder, true);
         if (tool.interrupt == Interrupt::fifo_output)
           ::mkfifo((folder / "NEWRIVER.RIV").c_str(), 0644);
         std::vector<std::string> args = arguments(tool, tool.output);
         if (std::string(tool.program) == "kitmap") args.back() = "8";  // a large map takes a while
         folder.write(tool.output, kEarlier);
         const auto before = snapshot(folder.path());
         const Child run = start(tool, folder.path(), logs / "err.txt", args, RLIM_INFINITY);
         if (tool.interrupt == Interrupt::held_input) {
           const std::string in = standard_input(tool);
           send(run.input, std::string(tool.program) == "dcl" ? in.substr(0, in.size() / 2)
                                                              : tool.held_answers);
         } else {
           send(run.input, standard_input(tool));
         }
         // Caught once a temporary file shows the run is writing.
         bool caught = false;
         for (int k = 0; k < 20000 && !caught; ++k) {
           caught = !temporaries(folder.path()).empty();
           if (!caught) std::this_thread::sleep_for(std::chrono::milliseconds(1));
         }
         ::kill(run.pid, SIGTERM);
         const int status = wait_for(run.pid);
         ::close(run.input);
         EXPECT_TRUE(caught) << "no temporary file appeared";
         EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
         for (const auto& [name, bytes] : before) EXPECT_EQ(folder.read(name), bytes) << name;
       }},
  };
  ::signal(SIGPIPE, SIG_IGN);  // a program that stops early closes its input
  for (const Tool& tool : tools()) {
    if (!fs::exists(fs::path(KIT_BIN_DIR) / tool.program)) continue;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(tool.program) + ": " + c.why);
      const ScratchFolder folder;
      const ScratchFolder logs;
      tool.inputs(folder, false);
      c.run(tool, folder, logs);
      EXPECT_EQ(temporaries(folder.path()), std::vector<std::string>{})
          << "a temporary file was left";
    }
  }
}

}  // namespace
