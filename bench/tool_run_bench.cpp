// A whole program run as the user runs it: a new process, its answers on
// standard input from a file, its files in a folder. Each run is timed from
// fork to exit (elapsed) and by the processor time the kernel charges to the
// process and all its threads (user + system, from wait4), so that the
// process start, the loading of shared libraries, page faults and the
// writing of the files all count. The machine may be shared: the best of the
// runs is the figure to quote, the median shows how steady they were.
//
//   bench-tool_run RUNS ANSWERS FOLDER PROGRAM [ARG...]
//
// e.g. TALLOWEX on the main job's land surface, from the main job's folder:
//   cp out/PTOP1.MOD out/LANDSURF.DAT; echo LANDSURF.DAT > /tmp/answers
//   build/bin/bench-tool_run 30 /tmp/answers out build/bin/tallowex
// A run that does not exit with status 0 stops the benchmark with status 1.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Run {
  double elapsed_ms = 0.0;
  double cpu_ms = 0.0;
};

double ms_of(const timeval& t) {
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// One run of argv[0] with stdin from `answers`, stdout and stderr to
// /dev/null, in `folder`; false when it could not run or did not exit with 0.
bool run_once(const char* answers, const char* folder, char** argv, Run& run) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    const int in = open(answers, O_RDONLY);
    const int out = open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0 ||
        chdir(folder) != 0)
      _exit(127);
    execv(argv[0], argv);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  run.elapsed_ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  run.cpu_ms = ms_of(usage.ru_utime) + ms_of(usage.ru_stime);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: bench-tool_run RUNS ANSWERS FOLDER PROGRAM [ARG...]\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  // The program is named from here, before each run changes to FOLDER.
  const std::string program = std::filesystem::absolute(argv[4]).string();
  argv[4] = const_cast<char*>(program.c_str());
  std::vector<double> elapsed;
  std::vector<double> cpu;
  for (int r = 0; r < runs; ++r) {
    Run run;
    if (!run_once(argv[2], argv[3], argv + 4, run)) {
      std::fprintf(stderr, "%s: run %d failed\n", argv[4], r + 1);
      return 1;
    }
    elapsed.push_back(run.elapsed_ms);
    cpu.push_back(run.cpu_ms);
  }
  std::printf(
      "%s, %d runs: elapsed best %.2f ms, median %.2f ms; processor (user + system) best %.2f ms, "
      "median %.2f ms\n",
      argv[4], runs, *std::min_element(elapsed.begin(), elapsed.end()), median(elapsed),
      *std::min_element(cpu.begin(), cpu.end()), median(cpu));
  return 0;
}
