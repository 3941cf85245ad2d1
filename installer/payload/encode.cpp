#include "installer/payload/encode.hpp"

#include "installer/payload/bytes.hpp"
#include "installer/payload/format.hpp"

namespace payload {

namespace {

void append_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t bytes[4];
  put_u32(bytes, value);
  out.insert(out.end(), bytes, bytes + 4);
}

void append_string(std::vector<std::uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

void append_string_record(std::vector<std::uint8_t>& out, char letter, const std::string& text) {
  out.push_back(static_cast<std::uint8_t>(letter));
  out.push_back(static_cast<std::uint8_t>(kSeparator));
  append_string(out, text);
}

}  // namespace

void append_header(std::vector<std::uint8_t>& out, const InstallHeader& header) {
  if (header.has_folder) append_string_record(out, kFolderRecord, header.install_folder);
  if (header.has_program) append_string_record(out, kProgramRecord, header.program);
  if (header.has_description) append_string_record(out, kDescriptionRecord, header.description);
  if (header.has_link) append_string_record(out, kLinkRecord, header.link_name);
  if (header.mode) {
    out.push_back(static_cast<std::uint8_t>(kModeRecord));
    out.push_back(*header.mode);
  }
}

void append_file_record(std::vector<std::uint8_t>& out, bool personal, char condition,
                        const std::string& name, std::uint64_t file_time,
                        std::uint32_t uncompressed_size, std::span<const std::uint8_t> compressed) {
  out.push_back(static_cast<std::uint8_t>(personal ? kPersonalFileRecord : kFileRecord));
  out.push_back(static_cast<std::uint8_t>(condition));
  append_string(out, name);
  append_u32(out, static_cast<std::uint32_t>(file_time));
  append_u32(out, static_cast<std::uint32_t>(file_time >> 32));
  append_u32(out, uncompressed_size);
  append_u32(out, static_cast<std::uint32_t>(compressed.size()));
  out.insert(out.end(), compressed.begin(), compressed.end());
}

void append_disk_record(std::vector<std::uint8_t>& out, const std::string& label) {
  out.push_back(static_cast<std::uint8_t>(kDiskRecord));
  out.push_back(static_cast<std::uint8_t>(kSeparator));
  append_string(out, label);
}

void append_end_record(std::vector<std::uint8_t>& out) {
  out.push_back(static_cast<std::uint8_t>(kEndRecord));
  out.push_back(static_cast<std::uint8_t>(kSeparator));
  out.push_back(0);
}

void set_payload_offset(std::vector<std::uint8_t>& image, std::uint32_t offset) {
  put_u32(image.data() + kOffsetField, offset);
}

}  // namespace payload
