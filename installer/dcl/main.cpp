// dcl: compresses a file into an implode stream, or decompresses one.
//
//   dcl explode IN OUT    exit status = the decoder's result code 0..4; on a
//                         data error OUT receives every byte produced when no
//                         file stood under its name, and an earlier file of
//                         that name is left as it was
//   dcl implode [--ascii] [--dict 1024|2048|4096] IN OUT
//
// IN or OUT given as "-" is standard input or output.
// Usage errors and files that cannot be read or written end with a message
// on stderr and exit status 2. IN is read (at most 256 MiB) while OUT is
// written to a temporary file that replaces a file of its name only once it
// is written whole (gridkit::ReplacingOutput), so IN and OUT may be the same
// file.
#include <array>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "gridkit/entry/options.hpp"
#include "gridkit/entry/program_entry.hpp"
#include "gridkit/error.hpp"
#include "gridkit/replacing_output.hpp"
#include "gridkit/whole_file.hpp"
#include "installer/dcl/command_options.hpp"
#include "installer/dcl/explode.hpp"
#include "installer/dcl/implode.hpp"

namespace {

constexpr std::string_view kHelp =
    "dcl compresses files into implode streams (the installer payload's file\n"
    "format) and decompresses them.\n"
    "\n"
    "dcl explode IN OUT\n"
    "  Decompresses the stream in IN and writes the bytes to OUT. The exit status\n"
    "  is the decoder's result: 0 decoded to the end code, 1 bad window size code\n"
    "  in the header, 2 bad literal coding byte in the header, 3 stream of 4 bytes\n"
    "  or fewer, 4 input ended before the end code. Whatever was decoded before a\n"
    "  data error is written to OUT when no file stood under that name; an\n"
    "  earlier file of the name is left as it was.\n"
    "\n"
    "dcl implode [--ascii] [--dict 1024|2048|4096] IN OUT\n"
    "  Compresses IN into one stream in OUT.\n"
    "  --ascii        code literals with the fixed literal code, which suits text\n"
    "                 (default: plain 8-bit literals, which suit any data)\n"
    "  --dict N       window of N bytes: 1024, 2048 (default) or 4096\n"
    "\n"
    "IN or OUT given as - is standard input or output (write ./- for a file\n"
    "named -).\n"
    "\n"
    "Usage errors and files that cannot be read or written give exit status 2.\n"
    "The manual page: man dcl\n";

constexpr std::string_view kDash = "-";

using gridkit::UsageError;

// The whole of IN: the file, or standard input for "-" (a closed standard
// input is a read error, not an empty file). Bytes are carried as they are:
// on Windows the console streams would otherwise turn line ends around.
std::vector<std::uint8_t> read_file(const std::string& path) {
  gridkit::WholeFile whole;
  if (path == kDash) {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    whole = gridkit::read_whole_descriptor(0, "standard input");
  } else {
    whole = gridkit::read_whole_file(path, path);
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(whole.bytes.get());
  return std::vector<std::uint8_t>(bytes, bytes + whole.size);
}

// OUT: standard output for "-", otherwise a gridkit::ReplacingOutput.
class Output {
 public:
  explicit Output(const std::string& path) : path_(path) {
    if (path == kDash) {
#if defined(_WIN32)
      _setmode(_fileno(stdout), _O_BINARY);
#endif
    } else {
      file_.emplace(path, path);
    }
  }
  void write(const char* bytes, std::size_t size) {
    written_ += size;
    if (file_) {
      file_->write(bytes, size);
      return;
    }
    std::cout.write(bytes, static_cast<std::streamsize>(size));
  }
  std::uint64_t written() const { return written_; }
  // Whether the decoded bytes of a failed run may stand under OUT: only
  // where no file stood before (standard output takes them as they come).
  bool keeps_partial_output() const { return !file_ || !file_->existed(); }
  void commit() {
    if (file_) {
      file_->commit();
      return;
    }
    std::cout.flush();
    if (!std::cout)
      throw gridkit::KitError::write("standard output", "the stream refused the bytes");
  }
  void discard() noexcept {
    if (file_) file_->discard();
  }

 private:
  std::string path_;
  std::optional<gridkit::ReplacingOutput> file_;
  std::uint64_t written_ = 0;
};

// IN of explode, read as the decoder asks for it, so that a long stream is
// decoded and written as it arrives; past 256 MiB it is a read error.
class StreamInput {
 public:
  explicit StreamInput(const std::string& path) : name_(path == kDash ? "standard input" : path) {
    if (path != kDash) {
      fd_ = gridkit::open_input_file(path, path);
      owned_ = true;
      return;
    }
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    // A closed standard input is an error, not an empty stream.
    struct stat info {};
    if (::fstat(0, &info) != 0)
      throw gridkit::KitError::read_file(name_, gridkit::system_reason(errno));
  }
  StreamInput(const StreamInput&) = delete;
  StreamInput& operator=(const StreamInput&) = delete;
  ~StreamInput() {
    if (owned_) ::close(fd_);
  }
  unsigned int read(char* buffer, unsigned int size) {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, size);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) throw gridkit::KitError::read_file(name_, gridkit::system_reason(errno));
      total_ += static_cast<std::uint64_t>(got);
      if (total_ > gridkit::kMaxInputBytes) throw gridkit::input_too_large(name_);
      return static_cast<unsigned int>(got);
    }
  }

 private:
  std::string name_;
  int fd_ = 0;
  bool owned_ = false;
  std::uint64_t total_ = 0;
};

struct ExplodeFiles {
  StreamInput& in;
  Output& out;
};

// The decoder is C++ throughout, so a read or write error leaves it as an
// exception.
unsigned int read_routine(char* buffer, unsigned int* size, void* param) {
  return static_cast<ExplodeFiles*>(param)->in.read(buffer, *size);
}

void write_routine(char* buffer, unsigned int* size, void* param) {
  auto& files = *static_cast<ExplodeFiles*>(param);
  files.out.write(buffer, *size);
}

int run_explode(std::span<const std::string> words) {
  const gridkit::ParsedOptions options = gridkit::parse_options(words, {});
  if (options.help) {
    std::cout << kHelp;
    return 0;
  }
  const std::vector<std::string>& args = options.words;
  if (args.size() != 2) throw UsageError("explode takes an input and an output file");
  StreamInput in(args[0]);
  Output out(args[1]);
  ExplodeFiles files{in, out};
  std::array<std::uint8_t, dcl::kWorkAreaSize> work;
  const dcl::ExplodeResult result = dcl::explode(read_routine, write_routine, work.data(), &files);
  if (result != dcl::ExplodeResult::ok && (out.written() == 0 || !out.keeps_partial_output())) {
    out.discard();
    std::cerr << "dcl: " << gridkit::shown_name(args[0]) << ": " << result_text(result)
              << " (result " << static_cast<int>(result) << "); " << out.written()
              << " bytes decoded, " << gridkit::shown_name(args[1]) << " left as it was\n";
    return static_cast<int>(result);
  }
  out.commit();
  if (result != dcl::ExplodeResult::ok) {
    std::cerr << "dcl: " << gridkit::shown_name(args[0]) << ": " << result_text(result)
              << " (result " << static_cast<int>(result) << "); " << out.written()
              << " bytes written to " << gridkit::shown_name(args[1]) << "\n";
  }
  return static_cast<int>(result);
}

int run_implode(std::span<const std::string> words) {
  const gridkit::ParsedOptions options =
      gridkit::parse_options(words, {dcl::kAsciiOption, dcl::kDictOption});
  if (options.help) {
    std::cout << kHelp;
    return 0;
  }
  const dcl::ImplodeOptions compression = dcl::implode_options(options);
  const std::vector<std::string>& files = options.words;
  if (files.size() != 2) throw UsageError("implode takes an input and an output file");
  const std::vector<std::uint8_t> input = read_file(files[0]);
  const std::vector<std::uint8_t> stream = dcl::implode(input, compression);
  Output out(files[1]);
  out.write(reinterpret_cast<const char*>(stream.data()), stream.size());
  out.commit();
  return 0;
}

struct Command {
  std::string_view name;
  int (*run)(std::span<const std::string> args);
};
constexpr Command kCommands[] = {{"explode", run_explode}, {"implode", run_implode}};

int run_dcl(std::span<const std::string> args) {
  if (gridkit::asks_for_help(args)) {
    std::cout << kHelp;
    return 0;
  }
  return gridkit::pick_command(kCommands, args).run(args.subspan(1));
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = gridkit::arguments(argc, argv);
  return gridkit::program_main(
      "dcl", args, [&] { return run_dcl(args); }, gridkit::ErrorLine::named);
}
