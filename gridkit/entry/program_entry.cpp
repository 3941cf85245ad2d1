#include "gridkit/entry/program_entry.hpp"

#include <csignal>
#include <exception>
#include <iostream>

#include "gridkit/entry/options.hpp"
#include "kit_version.hpp"

namespace gridkit {

namespace {

// Whether the options before the first word are "--version" alone: with
// help or a mistake beside it, the run's own parsing shows that instead.
bool asks_for_version(std::span<const std::string> args) {
  bool version = false;
  for (const std::string& arg : args) {
    if (arg == "--" || !is_option(arg)) break;
    if (arg != "--version") return false;
    version = true;
  }
  return version;
}

// Past a file-size limit a write then fails and is reported like a full
// disk, its partial output removed; by default the signal would kill the
// program on the spot and leave its temporary file behind.
void ignore_file_size_signal() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace

std::string version_text(std::string_view program) {
  return std::string(program) + " (groundwater model kit) " KIT_VERSION "\n";
}

int run_program(std::string_view name, std::span<const std::string> args, std::ostream& out,
                std::ostream& err, const ProgramRun& run, ErrorLine errors) {
  ignore_file_size_signal();
  const std::string program = name.empty() ? "error" : std::string(name);
  std::string line;
  try {
    int status = 0;
    if (asks_for_version(args)) {
      out << version_text(name);
    } else {
      status = run();
    }
    // A report that never reached its reader (a full disk, a closed pipe)
    // is a failure, not a run that went well.
    if (!out.flush()) throw KitError("write standard output: the stream refused the bytes");
    return status;
  } catch (const UsageError& e) {
    const std::string command = e.command().empty() ? program : e.command();
    line = command + ": " + e.what() + " (" + command + " --help shows the usage)";
  } catch (const KitError& e) {
    line = errors == ErrorLine::named ? program + ": " + e.what() : e.what();
  } catch (const std::exception& e) {
    line = program + ": " + e.what();
  }
  // What the run showed before it stopped comes first.
  out.flush();
  err << line << '\n';
  return 2;
}

int program_main(std::string_view name, std::span<const std::string> args, const ProgramRun& run,
                 ErrorLine errors) {
  return run_program(name, args, std::cout, std::cerr, run, errors);
}

std::vector<std::string> arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace gridkit
