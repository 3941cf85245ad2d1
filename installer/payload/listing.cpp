#include "installer/payload/listing.hpp"

#include <ctime>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "installer/payload/header.hpp"
#include "installer/payload/manifest.hpp"
#include "installer/payload/posix_platform.hpp"
#include "installer/payload/records.hpp"

namespace payload {

std::string utc_text(std::uint64_t file_time) {
  const UnixTime t = unix_time(file_time);
  const std::time_t seconds = static_cast<std::time_t>(t.seconds);
  std::tm parts{};
  if (::gmtime_r(&seconds, &parts) == nullptr) return "(out of range)";
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

namespace {

std::string source_folder_of(const std::string& image_path) {
  const std::string parent = std::filesystem::path(image_path).parent_path().string();
  return parent.empty() ? std::string() : parent + "/";
}

void list_header(const Payload& payload, std::ostream& out) {
  const InstallHeader& h = payload.header;
  const auto line = [&](char letter, const char* what, const std::string& value, bool present) {
    out << "  " << letter << ' ' << what << value << (present ? "" : "  (absent: built-in default)")
        << '\n';
  };
  out << payload.image_path << ": payload at offset " << payload.payload_offset << ", record stream at "
      << payload.payload_offset + payload.stream_start << '\n';
  line('P', "install folder  ", h.install_folder, h.has_folder);
  line('X', "program         ", h.program, h.has_program);
  line('S', "description     ", h.description, h.has_description);
  line('L', "shortcut file   ", h.link_name, h.has_link);
  out << "  M mode            " << (h.mode ? std::to_string(*h.mode) : std::string("(absent)")) << '\n';
}

std::string file_line(const Record& r, std::uint64_t base) {
  const std::size_t packed = r.data.size();
  char ratio[16] = "-";
  if (r.uncompressed_size != 0) {
    std::snprintf(ratio, sizeof ratio, "%.1f%%", 100.0 * static_cast<double>(packed) / r.uncompressed_size);
  }
  char text[160];
  std::snprintf(text, sizeof text, "%10llu  %c    %c    %s  %10lu  %10zu  %7s  ",
                static_cast<unsigned long long>(base + r.offset), static_cast<char>(r.kind_byte),
                r.condition, utc_text(r.file_time).c_str(),
                static_cast<unsigned long>(r.uncompressed_size), packed, ratio);
  return text + r.name;
}

}  // namespace

void list_image(const std::string& image_path, std::ostream& out) {
  PosixPlatform platform(out, nullptr);
  const LoadResult loaded = load_install_header(platform, image_path, source_folder_of(image_path));
  if (loaded.failure) throw PackError(loaded.failure->message());
  const Payload& payload = loaded.payload;
  list_header(payload, out);

  std::string file = image_path;
  std::uint64_t base = payload.payload_offset;
  std::vector<std::uint8_t> owned;
  std::span<const std::uint8_t> buffer = payload.bytes;
  std::size_t pos = payload.stream_start;
  char continuation = '1';
  out << "    OFFSET  KIND COND  LAST WRITTEN (UTC)         SIZE  COMPRESSED    RATIO  NAME\n";
  for (;;) {
    const Record r = read_record(buffer, pos);
    const auto fail = [&](const std::string& problem) {
      throw PackError(Failure{file, base + r.offset, problem}.message());
    };
    switch (r.kind) {
      case RecordKind::broken:
        fail(r.problem);
        break;
      case RecordKind::unknown:
        fail(unknown_kind_problem(r.kind_byte, pos >= buffer.size()));
        break;
      case RecordKind::end:
        out << std::setw(10) << base + r.offset << "  E\n";
        return;
      case RecordKind::file:
        if (const std::string problem = name_problem(r.name); !problem.empty()) fail(problem);
        out << file_line(r, base) << '\n';
        pos = r.next;
        break;
      case RecordKind::disk: {
        if (continuation == '1' + kMaxDisks) fail("more than eight disk records");
        ++continuation;
        const std::string next = source_folder_of(image_path) + continuation + ".DAT";
        out << std::setw(10) << base + r.offset << "  N          disk \"" << r.label << "\"";
        if (r.next != buffer.size()) {
          out << " (stream goes on here)\n";
          pos = r.next;
          break;
        }
        out << " (stream goes on in " << next << ")\n";
        FileRead read = platform.read_file(next);
        if (!read.ok || read.bytes.empty()) {
          throw PackError(next + ": continuation file " + (read.ok ? "is empty" : read.problem));
        }
        owned = std::move(read.bytes);
        buffer = owned;
        file = next;
        base = 0;
        pos = 0;
        out << next << ":\n";
        break;
      }
    }
  }
}

}  // namespace payload
