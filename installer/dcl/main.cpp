// dcl: compresses a file into an implode stream, or decompresses one.
//
//   dcl explode IN OUT    exit status = the decoder's result code 0..4; OUT
//                         receives every byte produced, also on a data error
//                         (a stream that decodes to nothing on an error
//                         leaves OUT as it was)
//   dcl implode [--ascii] [--dict 1024|2048|4096] IN OUT
//
// IN or OUT given as "-" is standard input or output.
// Usage errors and files that cannot be read or written end with a message
// on stderr and exit status 2. OUT replaces a file of its name only once it
// is written (ReplacingFile), so IN and OUT may be the same file.
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "installer/dcl/explode.hpp"
#include "installer/dcl/implode.hpp"
#include "kit_version.hpp"
#include "installer/dcl/replacing_file.hpp"

namespace {

constexpr int kFailure = 2;

constexpr std::string_view kUsage =
    "usage: dcl explode IN OUT\n"
    "       dcl implode [--ascii] [--dict 1024|2048|4096] IN OUT\n"
    "       dcl --help | --version\n";

constexpr std::string_view kHelp =
    "dcl compresses files into implode streams (the installer payload's file\n"
    "format) and decompresses them.\n"
    "\n"
    "dcl explode IN OUT\n"
    "  Decompresses the stream in IN and writes the bytes to OUT. The exit status\n"
    "  is the decoder's result: 0 decoded to the end code, 1 bad window size code\n"
    "  in the header, 2 bad literal coding byte in the header, 3 stream of 4 bytes\n"
    "  or fewer, 4 input ended before the end code. Whatever was decoded before a\n"
    "  data error is still written to OUT.\n"
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

class UsageError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::ifstream open_input(const std::string& path) {
  std::error_code ec;
  std::ifstream in;
  if (!std::filesystem::is_directory(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) throw std::runtime_error("cannot open input file \"" + path + "\"");
  return in;
}

// The file, or standard input for "-". Streams carry bytes as they are: on
// Windows the console streams would otherwise turn line ends around.
std::istream& input_stream(const std::string& path, std::ifstream& file) {
  if (path == kDash) {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    return std::cin;
  }
  file = open_input(path);
  return file;
}

std::vector<std::uint8_t> read_file(const std::string& path) {
  std::ifstream file;
  std::istream& in = input_stream(path, file);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("cannot read input file \"" + path + "\"");
  return bytes;
}

// OUT: standard output for "-", otherwise a file that replaces its name only
// once written (ReplacingFile). Streams carry bytes as they are: on Windows
// the console streams would otherwise turn line ends around.
class Output {
 public:
  explicit Output(const std::string& path) : path_(path) {
    if (path == kDash) {
#if defined(_WIN32)
      _setmode(_fileno(stdout), _O_BINARY);
#endif
    } else {
      file_.emplace(path);
    }
  }
  void write(const char* bytes, std::size_t size) {
    if (file_) {
      file_->write(bytes, size);
      return;
    }
    std::cout.write(bytes, static_cast<std::streamsize>(size));
    written_ += size;
  }
  std::uint64_t written() const { return file_ ? file_->written() : written_; }
  void commit() {
    if (file_) {
      file_->commit();
      return;
    }
    std::cout.flush();
    if (!std::cout) throw std::runtime_error("cannot write output file \"" + path_ + "\"");
  }
  void discard() noexcept {
    if (file_) file_->discard();
  }

 private:
  std::string path_;
  std::optional<dcl::ReplacingFile> file_;
  std::uint64_t written_ = 0;
};

struct ExplodeFiles {
  std::istream& in;
  Output& out;
};

unsigned int read_routine(char* buffer, unsigned int* size, void* param) {
  auto& files = *static_cast<ExplodeFiles*>(param);
  files.in.read(buffer, static_cast<std::streamsize>(*size));
  return static_cast<unsigned int>(files.in.gcount());
}

void write_routine(char* buffer, unsigned int* size, void* param) {
  auto& files = *static_cast<ExplodeFiles*>(param);
  files.out.write(buffer, *size);
}

int run_explode(const std::vector<std::string>& args) {
  if (args.size() != 2) throw UsageError("explode takes an input and an output file");
  std::ifstream in_file;
  std::istream& in = input_stream(args[0], in_file);
  Output out(args[1]);
  ExplodeFiles files{in, out};
  std::array<std::uint8_t, dcl::kWorkAreaSize> work;
  const dcl::ExplodeResult result = dcl::explode(read_routine, write_routine, work.data(), &files);
  if (in.bad()) throw std::runtime_error("cannot read input file \"" + args[0] + "\"");
  if (result != dcl::ExplodeResult::ok && out.written() == 0) {
    out.discard();
    std::cerr << "dcl: " << args[0] << ": " << result_text(result) << " (result "
              << static_cast<int>(result) << "); nothing decoded, " << args[1]
              << " left as it was\n";
    return static_cast<int>(result);
  }
  out.commit();
  if (result != dcl::ExplodeResult::ok) {
    std::cerr << "dcl: " << args[0] << ": " << result_text(result) << " (result "
              << static_cast<int>(result) << "); " << out.written() << " bytes written to "
              << args[1] << "\n";
  }
  return static_cast<int>(result);
}

unsigned parse_dictionary_size(const std::string& text) {
  unsigned size = 0;
  try {
    std::size_t used = 0;
    size = static_cast<unsigned>(std::stoul(text, &used));
    if (used != text.size()) size = 0;
  } catch (const std::exception&) {
    size = 0;
  }
  if (!dcl::valid_dictionary_size(size)) {
    throw UsageError("--dict takes 1024, 2048 or 4096, not \"" + text + "\"");
  }
  return size;
}

int run_implode(const std::vector<std::string>& args) {
  dcl::ImplodeOptions options;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--ascii") {
      options.literals = dcl::LiteralCoding::ascii;
    } else if (args[i] == "--dict") {
      if (i + 1 == args.size()) throw UsageError("--dict needs a window size");
      options.dictionary_size = parse_dictionary_size(args[++i]);
    } else if (args[i].size() > 1 && args[i][0] == '-') {  // "-" alone is a stream
      throw UsageError("unknown option \"" + args[i] + "\"");
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) throw UsageError("implode takes an input and an output file");
  const std::vector<std::uint8_t> input = read_file(files[0]);
  const std::vector<std::uint8_t> stream = dcl::implode(input, options);
  Output out(files[1]);
  out.write(reinterpret_cast<const char*>(stream.data()), stream.size());
  out.commit();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> all(argv + 1, argv + argc);
  try {
    if (all.empty()) throw UsageError("no command given");
    const std::string& command = all[0];
    const std::vector<std::string> rest(all.begin() + 1, all.end());
    if (command == "help" || std::find(all.begin(), all.end(), "--help") != all.end()) {
      std::cout << kHelp;
      return 0;
    }
    if (command == "--version") {
      std::cout << "dcl (groundwater model kit) " KIT_VERSION "\n";
      return 0;
    }
    if (command == "explode") return run_explode(rest);
    if (command == "implode") return run_implode(rest);
    throw UsageError("unknown command \"" + command + "\"");
  } catch (const UsageError& e) {
    std::cerr << "dcl: " << e.what() << "\n" << kUsage;
    return kFailure;
  } catch (const std::exception& e) {
    std::cerr << "dcl: " << e.what() << "\n";
    return kFailure;
  }
}
