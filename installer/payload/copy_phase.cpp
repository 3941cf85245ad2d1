// The copy phase: walks the record stream, decompresses each file that its
// condition admits into the output area, and writes it to the install
// folder; follows disk records into continuation files.
#include "installer/payload/copy_phase.hpp"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "installer/dcl/explode.hpp"
#include "installer/payload/records.hpp"

namespace payload {

namespace {

// The buffer being parsed: the payload or one continuation file.
struct Buffer {
  std::string file;        // for messages
  std::uint64_t base = 0;  // file offset of its first byte
  std::shared_ptr<const std::uint8_t[]> storage;
  std::span<const std::uint8_t> bytes;
};

// The output area: one decompressed file of at most 2 MiB. It grows as
// files need it, and is never cleared: only the bytes a file fills are read.
struct OutputArea {
  static constexpr std::size_t kSmallArea = 64 * 1024;

  std::unique_ptr<std::uint8_t[]> bytes;
  std::size_t capacity = 0;

  // Room for `size` bytes, keeping the first `kept`.
  void reserve(std::size_t size, std::size_t kept) {
    if (size <= capacity) return;
    // Small files (and most damaged streams) stay in the first 64 KiB; a
    // larger file takes the whole area at once, whose pages are touched
    // only as far as files fill them.
    const std::size_t grown = size <= kSmallArea ? kSmallArea : kMaxFileSize;
    auto larger = std::make_unique_for_overwrite<std::uint8_t[]>(grown);
    if (kept != 0) std::memcpy(larger.get(), bytes.get(), kept);
    bytes = std::move(larger);
    capacity = grown;
  }
};

// Read and write routines of the decompressor: hand out one record's
// compressed bytes, collect the output in the output area.
struct Decoding {
  std::span<const std::uint8_t> input;
  std::size_t read_pos = 0;
  OutputArea& output;
  std::size_t count = 0;
  bool overflow = false;
};

// The decoder's callbacks over memory, as dcl's own (installer/dcl/explode.cpp)
// but stopping at the output area's bound, which an installed file must keep.
unsigned int read_compressed(char* buffer, unsigned int* size, void* param) {
  auto& d = *static_cast<Decoding*>(param);
  if (d.overflow) return 0;  // no point decoding past the output area
  const std::size_t n = std::min<std::size_t>(*size, d.input.size() - d.read_pos);
  if (n != 0) std::memcpy(buffer, d.input.data() + d.read_pos, n);
  d.read_pos += n;
  return static_cast<unsigned int>(n);
}

void write_output(char* buffer, unsigned int* size, void* param) {
  auto& d = *static_cast<Decoding*>(param);
  if (d.overflow || *size > kMaxFileSize - d.count) {
    d.overflow = true;
    return;
  }
  if (*size == 0) return;
  d.output.reserve(d.count + *size, d.count);
  std::memcpy(d.output.bytes.get() + d.count, buffer, *size);
  d.count += *size;
}

class CopyPhase {
 public:
  CopyPhase(const Payload& payload, const CopySettings& settings, Platform& platform)
      : payload_(payload),
        settings_(settings),
        platform_(platform),
        work_(std::make_unique_for_overwrite<std::uint8_t[]>(dcl::kWorkAreaSize)) {}

  std::optional<Failure> run();

 private:
  bool admitted(const Record& record, const std::string& target);
  std::optional<std::string> install(const Record& record, const std::string& target);
  std::optional<Failure> load_continuation();

  const Payload& payload_;
  const CopySettings& settings_;
  Platform& platform_;
  std::unique_ptr<std::uint8_t[]> work_;  // decompressor work area (needs no clearing)
  OutputArea output_;
  Buffer buffer_;
  char continuation_ = '1';
  std::string label_;
};

std::optional<Failure> CopyPhase::run() {
  buffer_.file = payload_.image_path;
  buffer_.base = payload_.payload_offset;
  buffer_.bytes = payload_.bytes;
  buffer_.storage = payload_.storage;
  std::size_t pos = payload_.stream_start;

  platform_.create_folder(settings_.install_folder);
  const std::string target_folder = settings_.install_folder + platform_.separator();

  for (;;) {
    const Record record = read_record(buffer_.bytes, pos);
    const auto fail = [&](std::string problem) {
      platform_.end_progress();
      return Failure{buffer_.file, buffer_.base + record.offset, std::move(problem)};
    };
    switch (record.kind) {
      case RecordKind::broken: return fail(record.problem);
      case RecordKind::unknown:
        return fail(unknown_kind_problem(record.kind_byte, pos >= buffer_.bytes.size()));
      case RecordKind::end:
        platform_.create_shortcuts(payload_.header, target_folder);
        platform_.end_progress();
        return std::nullopt;
      case RecordKind::disk:
        if (continuation_ == '1' + kMaxDisks) return fail("more than eight disk records");
        label_ = record.label;
        ++continuation_;
        if (record.next == buffer_.bytes.size()) {
          if (auto failure = load_continuation()) {
            platform_.end_progress();
            return failure;
          }
          pos = 0;
        } else {
          pos = record.next;
        }
        break;
      case RecordKind::file: {
        if (std::string problem = name_problem(record.name); !problem.empty()) return fail(problem);
        pos = record.next;
        const std::string target = target_folder + record.name;
        if (!admitted(record, target)) break;
        if (auto problem = install(record, target)) return fail(*problem);
        break;
      }
    }
  }
}

bool CopyPhase::admitted(const Record& record, const std::string& target) {
  switch (record.condition) {
    case kAlways: return true;
    case kOptionOne: return (settings_.option_flag1 & 1U) != 0;
    case kOptionTwo: return (settings_.option_flag2 & 2U) != 0;
    case kOptionThree: return (settings_.option_flag3 & 1U) != 0;
    case kUpdateOnly: return platform_.file_readable(target);
    case kUnlessLibrary: return !platform_.library_present(record.name, settings_.install_folder);
    default: return false;
  }
}

// Decompresses, personalises and writes one file; the problem if that fails.
std::optional<std::string> CopyPhase::install(const Record& record, const std::string& target) {
  Decoding decoding{record.data, 0, output_, 0, false};
  const dcl::ExplodeResult result =
      dcl::explode(read_compressed, write_output, work_.get(), &decoding);
  if (decoding.overflow) {
    return "\"" + record.name + "\" decompresses to more than 2 MiB (2097152 bytes)";
  }
  if (result != dcl::ExplodeResult::ok) {
    return "compressed data of \"" + record.name +
           "\" is damaged: " + std::string(dcl::result_text(result));
  }
  const std::span<std::uint8_t> image(output_.bytes.get(), decoding.count);
  if (record.personal) personalise(image, settings_.owner_name, settings_.owner_firm);
  platform_.show_progress(Progress::installing_file, target);
  if (auto failure = platform_.write_new_file(target, image)) {
    return "cannot install \"" + failure->file + "\": " + failure->problem;
  }
  platform_.set_last_write_time(target, record.file_time);
  return std::nullopt;
}

// Loads "<char>.DAT" from the source folder, asking for the disk while it is
// missing, unreadable or empty.
std::optional<Failure> CopyPhase::load_continuation() {
  const std::string path = payload_.source_folder + continuation_ + ".DAT";
  const std::string drive =
      payload_.source_folder.empty() ? std::string(":") : payload_.source_folder.substr(0, 1) + ":";
  for (;;) {
    platform_.show_progress(Progress::loading_install_data, path);
    FileRead read = platform_.read_file(path);
    if (!read.failure && read.size != 0) {
      buffer_.file = path;
      buffer_.base = 0;
      buffer_.bytes = read.bytes();
      buffer_.storage = std::move(read.storage);
      return std::nullopt;
    }
    if (!platform_.ask_for_disk(label_, drive, path)) {
      const std::string why = read.failure ? read.failure->problem : "is empty";
      return Failure{path, std::nullopt,
                     "continuation file " + why + " and disk \"" + label_ + "\" was not inserted"};
    }
  }
}

}  // namespace

const char* progress_text(Progress line) {
  return line == Progress::installing_file ? "Installing file:" : "Loading install data:";
}

std::optional<Failure> run_record_stream(const Payload& payload, const CopySettings& settings,
                                         Platform& platform) {
  CopyPhase phase(payload, settings, platform);
  return phase.run();
}

}  // namespace payload
