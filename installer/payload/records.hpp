// Reading single records of the record stream, with every field checked to
// lie inside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace payload {

enum class RecordKind { file, disk, end, unknown, broken };

struct Record {
  RecordKind kind = RecordKind::unknown;
  std::size_t offset = 0;  // where the record starts in its buffer
  std::size_t next = 0;    // where the next record starts
  std::uint8_t kind_byte = 0;

  // File records ("F", "f").
  bool personal = false;
  char condition = 0;
  std::string name;
  std::uint64_t file_time = 0;
  std::uint32_t uncompressed_size = 0;
  std::span<const std::uint8_t> data;  // the compressed stream

  // Disk records.
  std::string label;

  // kind == broken: what runs past the buffer or is too long.
  std::string problem;
};

// Reads the record starting at `pos`. A position at or past the end of
// `buffer` reads as kind byte 0 (the zero stored after the data), so a
// stream that runs out without a disk or end record gives RecordKind::unknown.
Record read_record(std::span<const std::uint8_t> buffer, std::size_t pos);

// The reason a file name would be refused: empty, "." or "..", longer than
// 259 characters, holding "\", "/" or ":" (a folder or drive part), a byte
// below 0x20, or one of < > " | ? * (which no Windows file name may hold).
// Empty when the name is fine.
std::string name_problem(const std::string& name);

// The problem of a record of unknown kind: running off the end of the
// buffer (`at_end`) or a kind byte that is not F, f, N or E.
std::string unknown_kind_problem(std::uint8_t kind_byte, bool at_end);

// The reason a disk label would be refused (longer than 63 characters).
std::string label_problem(const std::string& label);

}  // namespace payload
