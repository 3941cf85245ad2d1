#include "installer/payload/setuppack.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "installer/payload/copy_phase.hpp"
#include "installer/payload/listing.hpp"
#include "installer/payload/manifest.hpp"
#include "installer/payload/output_check.hpp"
#include "installer/payload/pack.hpp"

namespace payload {

namespace {

constexpr std::string_view kUsage =
    "usage: setuppack pack [--ascii] [--dict 1024|2048|4096] [--force] STUB MANIFEST OUT\n"
    "       setuppack list IMAGE\n"
    "       setuppack extract IMAGE FOLDER [--owner NAME] [--firm FIRM] [--no-samples]\n"
    "       setuppack COMMAND --help\n";

constexpr std::string_view kPackHelp =
    "setuppack pack [--ascii] [--dict 1024|2048|4096] [--force] STUB MANIFEST OUT\n"
    "  Copies the setup program STUB to OUT, stores the payload offset at byte 28,\n"
    "  and appends the install header and the compressed files that MANIFEST lists.\n"
    "  Each \"disk\" item ends the part of the stream in the current file; the rest\n"
    "  goes into 2.DAT, 3.DAT, ... beside OUT (at most eight disks). An existing\n"
    "  continuation file is replaced only when an existing OUT uses it; any other\n"
    "  stops the pack before anything is written.\n"
    "  --ascii    code literals with the format's literal code (suits text)\n"
    "  --dict N   compression window of N bytes: 1024, 2048 (default) or 4096\n"
    "  --force    replace existing continuation files that OUT does not use\n"
    "  MANIFEST holds one item a line; blank lines and lines starting with # are\n"
    "  skipped:\n"
    "    folder TEXT          default install folder (header record P)\n"
    "    program TEXT         program the shortcuts start (X)\n"
    "    description TEXT     shortcut description (S)\n"
    "    link TEXT            shortcut file name (L)\n"
    "    mode N               mode byte 0..255 (M)\n"
    "    file COND NAME SOURCE      a file installed as NAME from SOURCE\n"
    "    personal COND NAME SOURCE  the same, personalised with owner and firm\n"
    "    disk LABEL           the stream goes on in the next continuation file\n"
    "  COND is one of: . always, 1 sample files (option), 2 never, 3 always,\n"
    "  = only over an existing file, ? only when no library of that name is\n"
    "  present. NAME and SOURCE may be quoted to hold blanks; SOURCE is relative\n"
    "  to the manifest's folder. NAME may not hold \\ / : < > \" | ? * or control\n"
    "  bytes. A bad line, a source that cannot be read or is over 2 MiB, more than\n"
    "  eight disks, or an output that is one of the inputs is an error and nothing\n"
    "  is written.\n";

constexpr std::string_view kListHelp =
    "setuppack list IMAGE\n"
    "  Shows the install header of setup image IMAGE (with the built-in values\n"
    "  that stand for absent records) and every record of its stream, following\n"
    "  disk records into the continuation files beside IMAGE: offset, kind,\n"
    "  condition, last-write time (UTC), size, compressed size, ratio and name.\n";

constexpr std::string_view kExtractHelp =
    "setuppack extract IMAGE FOLDER [--owner NAME] [--firm FIRM] [--no-samples]\n"
    "  Installs the files of setup image IMAGE into FOLDER (one folder level is\n"
    "  created) as the installer would: conditions are evaluated, personalised\n"
    "  files receive owner and firm (cut to 30 characters), and every file gets\n"
    "  its recorded last-write time. A file is written under a temporary name and\n"
    "  moved over its name when whole, so a failed file leaves an earlier one as\n"
    "  it was. Progress lines go to standard error. When a\n"
    "  continuation file is missing, the terminal is asked for the disk; with no\n"
    "  terminal that is a failure.\n"
    "  --owner NAME   owner name for personalised files (default empty)\n"
    "  --firm FIRM    owner firm for personalised files (default empty)\n"
    "  --no-samples   leave out the files of condition 1 (sample files)\n";

class UsageError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::vector<std::uint8_t> read_whole(const std::string& path, const char* what) {
  std::error_code ec;
  std::ifstream in;
  if (std::filesystem::is_regular_file(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) throw PackError(path + ": cannot read the " + what);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw PackError(path + ": cannot read the " + what);
  return bytes;
}

// Splits options (with their values) from the other words.
struct Words {
  std::vector<std::string> plain;
  std::vector<std::pair<std::string, std::string>> options;
};

Words split(const std::vector<std::string>& args, const std::vector<std::string_view>& with_value,
            const std::vector<std::string_view>& flags) {
  Words words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (std::find(with_value.begin(), with_value.end(), a) != with_value.end()) {
      if (i + 1 == args.size()) throw UsageError(a + " needs a value");
      words.options.emplace_back(a, args[++i]);
    } else if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
      words.options.emplace_back(a, "");
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError("unknown option \"" + a + "\"");
    } else {
      words.plain.push_back(a);
    }
  }
  return words;
}

void run_pack(const std::vector<std::string>& args) {
  const Words words = split(args, {"--dict"}, {"--ascii", "--force"});
  if (words.plain.size() != 3) throw UsageError("pack takes STUB, MANIFEST and OUT");
  dcl::ImplodeOptions compression;
  bool force = false;
  for (const auto& [option, value] : words.options) {
    if (option == "--force") force = true;
    if (option == "--ascii") compression.literals = dcl::LiteralCoding::ascii;
    if (option == "--dict") {
      if (value != "1024" && value != "2048" && value != "4096") {
        throw UsageError("--dict takes 1024, 2048 or 4096, not \"" + value + "\"");
      }
      compression.dictionary_size = static_cast<unsigned>(std::stoul(value));
    }
  }
  const std::string& stub_path = words.plain[0];
  const std::string& manifest_path = words.plain[1];
  const std::vector<std::uint8_t> stub = read_whole(stub_path, "setup program");
  const std::vector<std::uint8_t> text = read_whole(manifest_path, "manifest");
  const Manifest manifest =
      parse_manifest(std::string(text.begin(), text.end()),
                     std::filesystem::path(manifest_path).parent_path(), manifest_path);
  const std::string& out = words.plain[2];
  std::vector<PackInput> inputs{{"setup program", stub_path}, {"manifest", manifest_path}};
  std::size_t disks = 0;
  for (const ManifestItem& item : manifest.items) {
    if (item.kind == ManifestItem::Kind::disk) ++disks;
    else inputs.push_back({"source of line " + std::to_string(item.line), item.source});
  }
  check_pack_outputs(out, disks, inputs, force);
  write_image(build_image(stub, stub_path, manifest, compression), out);
}

void run_list(const std::vector<std::string>& args, std::ostream& out) {
  const Words words = split(args, {}, {});
  if (words.plain.size() != 1) throw UsageError("list takes one IMAGE");
  if (auto failure = list_image(words.plain[0], out)) throw PackError(failure->message());
}

void run_extract(const std::vector<std::string>& args, std::ostream& err,
                 const PosixPlatform::DiskPrompt& ask_disk) {
  const Words words = split(args, {"--owner", "--firm"}, {"--no-samples"});
  if (words.plain.size() != 2) throw UsageError("extract takes IMAGE and FOLDER");
  // An empty folder would put every file at the root of the file system.
  if (words.plain[1].empty()) throw UsageError("FOLDER is empty; name the folder to install into");
  CopySettings settings;
  settings.install_folder = words.plain[1];
  while (settings.install_folder.size() > 1 && settings.install_folder.back() == '/') {
    settings.install_folder.pop_back();
  }
  for (const auto& [option, value] : words.options) {
    if (option == "--owner") settings.owner_name = value;
    if (option == "--firm") settings.owner_firm = value;
    if (option == "--no-samples") settings.option_flag1 = 0;
  }
  const std::string& image = words.plain[0];
  const std::string parent = std::filesystem::path(image).parent_path().string();
  PosixPlatform platform(err, ask_disk);
  const LoadResult loaded = load_install_header(platform, image, parent.empty() ? "" : parent + "/");
  if (loaded.failure) throw PackError(loaded.failure->message());
  if (auto failure = run_record_stream(loaded.payload, settings, platform)) {
    throw PackError(failure->message());
  }
}

}  // namespace

int run_setuppack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const PosixPlatform::DiskPrompt& ask_disk) {
  const std::string command = args.empty() ? "" : args[0];
  const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
  const bool help = std::find(args.begin(), args.end(), "--help") != args.end();
  try {
    if (command == "pack") {
      if (help) return out << kPackHelp, 0;
      run_pack(rest);
    } else if (command == "list") {
      if (help) return out << kListHelp, 0;
      run_list(rest, out);
    } else if (command == "extract") {
      if (help) return out << kExtractHelp, 0;
      run_extract(rest, err, ask_disk);
    } else if (command == "--help" || command == "help") {
      out << kUsage << '\n' << kPackHelp << '\n' << kListHelp << '\n' << kExtractHelp;
    } else {
      throw UsageError(command.empty() ? "no command given" : "unknown command \"" + command + "\"");
    }
    return 0;
  } catch (const UsageError& e) {
    err << "setuppack: " << shown(e.what()) << " (setuppack --help shows how to use it)\n";
  } catch (const std::exception& e) {
    err << "setuppack: " << shown(e.what()) << '\n';
  }
  return 2;
}

}  // namespace payload
