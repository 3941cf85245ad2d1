#include "installer/payload/listing.hpp"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "installer/payload/header.hpp"
#include "installer/payload/posix_platform.hpp"
#include "installer/payload/records.hpp"
#include "installer/payload/stream_walk.hpp"

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
    out << "  " << letter << ' ' << what << shown(value)
        << (present ? "" : "  (absent: built-in default)") << '\n';
  };
  out << shown(payload.image_path) << ": payload at offset " << payload.payload_offset
      << ", record stream at " << payload.payload_offset + payload.stream_start << '\n';
  line('P', "install folder  ", h.install_folder, h.has_folder);
  line('X', "program         ", h.program, h.has_program);
  line('S', "description     ", h.description, h.has_description);
  line('L', "shortcut file   ", h.link_name, h.has_link);
  out << "  M mode            " << (h.mode ? std::to_string(*h.mode) : std::string("(absent)"))
      << '\n';
}

std::string file_line(const Record& r, std::uint64_t offset) {
  const std::size_t packed = r.data.size();
  char ratio[16] = "-";
  if (r.uncompressed_size != 0) {
    std::snprintf(ratio, sizeof ratio, "%.1f%%",
                  100.0 * static_cast<double>(packed) / r.uncompressed_size);
  }
  char text[160];
  std::snprintf(text, sizeof text, "%10llu  %c    %c    %s  %10lu  %10zu  %7s  ",
                static_cast<unsigned long long>(offset), static_cast<char>(r.kind_byte),
                r.condition, utc_text(r.file_time).c_str(),
                static_cast<unsigned long>(r.uncompressed_size), packed, ratio);
  return text + shown(r.name);
}

}  // namespace

std::optional<Failure> list_image(const std::string& image_path, std::ostream& out) {
  PosixPlatform platform(out, nullptr);
  const LoadResult loaded = load_install_header(platform, image_path, source_folder_of(image_path));
  if (loaded.failure) return loaded.failure;
  list_header(loaded.payload, out);
  out << "    OFFSET  KIND COND  LAST WRITTEN (UTC)         SIZE  COMPRESSED    RATIO  NAME\n";
  std::string current = image_path;
  return walk_stream(loaded.payload, platform, [&](const StreamStep& step) {
    if (step.file != current) {
      current = step.file;
      out << shown(current) << ":\n";
    }
    const Record& r = step.record;
    switch (r.kind) {
      case RecordKind::file: out << file_line(r, step.offset) << '\n'; break;
      case RecordKind::disk:
        out << std::setw(10) << step.offset << "  N          disk \"" << shown(r.label) << "\""
            << (step.continuation.empty() ? std::string(" (stream goes on here)")
                                          : " (stream goes on in " + shown(step.continuation) + ")")
            << '\n';
        break;
      default: out << std::setw(10) << step.offset << "  E\n"; break;
    }
  });
}

}  // namespace payload
