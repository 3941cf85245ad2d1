#include "installer/payload/setuppack.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "gridkit/entry/options.hpp"
#include "gridkit/entry/program_entry.hpp"
#include "installer/dcl/command_options.hpp"
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

using gridkit::UsageError;

std::vector<std::uint8_t> read_whole(const std::string& path, const char* what) {
  std::error_code ec;
  std::ifstream in;
  if (std::filesystem::is_regular_file(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) throw PackError(path + ": cannot read the " + what);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) throw PackError(path + ": cannot read the " + what);
  return bytes;
}

void run_pack(std::span<const std::string> args, std::ostream& out, std::ostream&,
              const PosixPlatform::DiskPrompt&) {
  const gridkit::ParsedOptions options =
      gridkit::parse_options(args, {dcl::kAsciiOption, dcl::kDictOption, {"--force", false}});
  if (options.help) {
    out << kPackHelp;
    return;
  }
  if (options.words.size() != 3) throw UsageError("pack takes STUB, MANIFEST and OUT");
  const dcl::ImplodeOptions compression = dcl::implode_options(options);
  const bool force = options.has("--force");
  const std::string& stub_path = options.words[0];
  const std::string& manifest_path = options.words[1];
  const std::vector<std::uint8_t> stub = read_whole(stub_path, "setup program");
  const std::vector<std::uint8_t> text = read_whole(manifest_path, "manifest");
  const Manifest manifest =
      parse_manifest(std::string(text.begin(), text.end()),
                     std::filesystem::path(manifest_path).parent_path(), manifest_path);
  const std::string& image = options.words[2];
  std::vector<PackInput> inputs{{"setup program", stub_path}, {"manifest", manifest_path}};
  std::size_t disks = 0;
  for (const ManifestItem& item : manifest.items) {
    if (item.kind == ManifestItem::Kind::disk)
      ++disks;
    else
      inputs.push_back({"source of line " + std::to_string(item.line), item.source});
  }
  check_pack_outputs(image, disks, inputs, force);
  write_image(build_image(stub, stub_path, manifest, compression), image);
}

void run_list(std::span<const std::string> args, std::ostream& out, std::ostream&,
              const PosixPlatform::DiskPrompt&) {
  const gridkit::ParsedOptions options = gridkit::parse_options(args, {});
  if (options.help) {
    out << kListHelp;
    return;
  }
  if (options.words.size() != 1) throw UsageError("list takes one IMAGE");
  if (auto failure = list_image(options.words[0], out)) throw PackError(failure->message());
}

void run_extract(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                 const PosixPlatform::DiskPrompt& ask_disk) {
  const gridkit::ParsedOptions options =
      gridkit::parse_options(args, {{"--owner"}, {"--firm"}, {"--no-samples", false}});
  if (options.help) {
    out << kExtractHelp;
    return;
  }
  if (options.words.size() != 2) throw UsageError("extract takes IMAGE and FOLDER");
  // An empty folder would put every file at the root of the file system.
  if (options.words[1].empty())
    throw UsageError("FOLDER is empty; name the folder to install into");
  CopySettings settings;
  settings.install_folder = options.words[1];
  while (settings.install_folder.size() > 1 && settings.install_folder.back() == '/') {
    settings.install_folder.pop_back();
  }
  settings.owner_name = options.value("--owner").value_or("");
  settings.owner_firm = options.value("--firm").value_or("");
  if (options.has("--no-samples")) settings.option_flag1 = 0;
  const std::string& image = options.words[0];
  const std::string parent = std::filesystem::path(image).parent_path().string();
  PosixPlatform platform(err, ask_disk);
  const LoadResult loaded =
      load_install_header(platform, image, parent.empty() ? "" : parent + "/");
  if (loaded.failure) throw PackError(loaded.failure->message());
  if (auto failure = run_record_stream(loaded.payload, settings, platform)) {
    throw PackError(failure->message());
  }
}

struct Command {
  std::string_view name;
  void (*run)(std::span<const std::string> args, std::ostream& out, std::ostream& err,
              const PosixPlatform::DiskPrompt& ask_disk);
};
constexpr Command kCommands[] = {{"pack", run_pack}, {"list", run_list}, {"extract", run_extract}};

void run_command(std::span<const std::string> args, std::ostream& out, std::ostream& err,
                 const PosixPlatform::DiskPrompt& ask_disk) {
  if (gridkit::asks_for_help(args)) {
    out << kUsage << '\n' << kPackHelp << '\n' << kListHelp << '\n' << kExtractHelp;
    return;
  }
  const Command& command = gridkit::pick_command(kCommands, args);
  // Messages carry names from manifests, images and the command line: their
  // control bytes are shown escaped, so that an error stays one line.
  try {
    command.run(std::span<const std::string>(args).subspan(1), out, err, ask_disk);
  } catch (const UsageError& e) {
    throw UsageError(shown(e.what()), e.command());
  } catch (const std::exception& e) {
    throw gridkit::KitError(shown(e.what()));
  }
}

}  // namespace

int run_setuppack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const PosixPlatform::DiskPrompt& ask_disk) {
  return gridkit::run_program(
      "setuppack", args, out, err,
      [&] {
        run_command(args, out, err, ask_disk);
        return 0;
      },
      gridkit::ErrorLine::named);
}

}  // namespace payload
