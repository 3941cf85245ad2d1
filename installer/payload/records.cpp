// One record of the record stream, bounds checked field by field.
#include "installer/payload/records.hpp"

#include <algorithm>
#include <cstdio>

#include "installer/payload/bytes.hpp"
#include "installer/payload/format.hpp"

namespace payload {

namespace {

Record broken(Record record, std::string problem) {
  record.kind = RecordKind::broken;
  record.problem = std::move(problem);
  return record;
}

Record read_file_record(std::span<const std::uint8_t> buffer, Record record) {
  const std::size_t pos = record.offset;
  record.kind = RecordKind::file;
  record.personal = record.kind_byte == static_cast<std::uint8_t>(kPersonalFileRecord);
  if (pos + 1 >= buffer.size())
    return broken(record, "file record runs past the end of the buffer");
  record.condition = static_cast<char>(buffer[pos + 1]);
  const CString name = get_string(buffer, pos + 2, kMaxName);
  if (!name.text) {
    return broken(record, name.too_long ? "file name is longer than 259 characters"
                                        : "file name runs past the end of the buffer");
  }
  record.name = *name.text;
  const std::size_t fields = pos + 2 + record.name.size() + 1;
  if (buffer.size() - fields < kFileFieldsSize) {
    return broken(record, "file record \"" + record.name + "\" runs past the end of the buffer");
  }
  record.file_time = get_u32(buffer, fields) | std::uint64_t{get_u32(buffer, fields + 4)} << 32;
  record.uncompressed_size = get_u32(buffer, fields + 8);
  const std::uint32_t compressed = get_u32(buffer, fields + 12);
  const std::size_t data = fields + kFileFieldsSize;
  if (buffer.size() - data < compressed) {
    return broken(record, "compressed data of \"" + record.name + "\" (" +
                              std::to_string(compressed) +
                              " bytes) runs past the end of the buffer");
  }
  record.data = buffer.subspan(data, compressed);
  record.next = data + compressed;
  return record;
}

Record read_disk_record(std::span<const std::uint8_t> buffer, Record record) {
  const std::size_t pos = record.offset;
  record.kind = RecordKind::disk;
  if (pos + 1 >= buffer.size())
    return broken(record, "disk record runs past the end of the buffer");
  const CString label = get_string(buffer, pos + 2, kMaxLabel);
  if (!label.text) {
    return broken(record, label.too_long ? "disk label is longer than 63 characters"
                                         : "disk label runs past the end of the buffer");
  }
  record.label = *label.text;
  record.next = pos + 2 + record.label.size() + 1;
  return record;
}

}  // namespace

Record read_record(std::span<const std::uint8_t> buffer, std::size_t pos) {
  Record record;
  record.offset = pos;
  record.next = pos + 1;
  record.kind_byte = pos < buffer.size() ? buffer[pos] : 0;
  switch (static_cast<char>(record.kind_byte)) {
    case kFileRecord:
    case kPersonalFileRecord: return read_file_record(buffer, record);
    case kDiskRecord: return read_disk_record(buffer, record);
    case kEndRecord: record.kind = RecordKind::end; return record;
    default: record.kind = RecordKind::unknown; return record;
  }
}

std::string name_problem(const std::string& name) {
  if (name.empty()) return "file name is empty";
  if (name == "." || name == "..") return "file name \"" + name + "\" is not a file";
  if (name.size() > kMaxName) return "file name is longer than 259 characters";
  if (name.find_first_of("\\/:") != std::string::npos) {
    return "file name \"" + name + "\" holds a folder or drive part";
  }
  const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20; };
  if (std::any_of(name.begin(), name.end(), control)) {
    return "file name \"" + name + "\" holds a control byte";
  }
  if (name.find_first_of("<>\"|?*") != std::string::npos) {
    return "file name \"" + name + "\" holds one of < > \" | ? *";
  }
  return {};
}

std::string unknown_kind_problem(std::uint8_t kind_byte, bool at_end) {
  if (at_end) return "the record stream ends without a disk or end record";
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", kind_byte);
  return std::string("record kind ") + text + " is not known";
}

std::string label_problem(const std::string& label) {
  if (label.size() > kMaxLabel) return "disk label is longer than 63 characters";
  return {};
}

}  // namespace payload
