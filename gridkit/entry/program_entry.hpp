// What every program of the kit does around its own work: answers
// --version, and turns any error into one line on standard error and exit
// status 2. Each main() is a call of program_main().
#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

// "tallowin (groundwater model kit) 1.0.0", one line.
std::string version_text(std::string_view program);

// How a KitError's message is shown. The console tools' and GIS tools' lines
// have always been the message alone (scripts match them); the installer's
// tools have always named themselves.
enum class ErrorLine { message, named };

// The program's run: returns its exit status, throws on failure.
using ProgramRun = std::function<int()>;

// Runs program `name` over its arguments (without the program's name):
// "--version" among the options before the first word, and no help asked
// for, shows the version; otherwise `run` runs. A UsageError is shown as
// "NAME: PROBLEM (NAME --help shows the usage)", a KitError as its message
// (after "NAME: " when named), any other failure as "NAME: WHAT"; each is one
// line on `err` after whatever `out` holds, and gives status 2. So does an
// `out` that refuses what it is given. A file-size limit (SIGXFSZ) fails a
// write, as a full disk does, instead of killing the program.
int run_program(std::string_view name, std::span<const std::string> args, std::ostream& out,
                std::ostream& err, const ProgramRun& run, ErrorLine errors = ErrorLine::message);

// The same over standard output and standard error.
int program_main(std::string_view name, std::span<const std::string> args, const ProgramRun& run,
                 ErrorLine errors = ErrorLine::message);

// The arguments of main() without the program's name.
std::vector<std::string> arguments(int argc, char** argv);

}  // namespace gridkit
