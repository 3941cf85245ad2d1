// Writing the payload's records: the inverse of the header loader and the
// record reader, used by the packer (and by tests to build payloads).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "installer/payload/header.hpp"

namespace payload {

// The header records that `header` marks present, in the order P, X, S, L, M.
void append_header(std::vector<std::uint8_t>& out, const InstallHeader& header);

// A file record ("f" when `personal`) around an already compressed stream.
void append_file_record(std::vector<std::uint8_t>& out, bool personal, char condition,
                        const std::string& name, std::uint64_t file_time,
                        std::uint32_t uncompressed_size, std::span<const std::uint8_t> compressed);

void append_disk_record(std::vector<std::uint8_t>& out, const std::string& label);

// "E", the separator and a zero byte.
void append_end_record(std::vector<std::uint8_t>& out);

// Stores the payload offset at byte 28 of a setup image of at least 32 bytes.
void set_payload_offset(std::vector<std::uint8_t>& image, std::uint32_t offset);

}  // namespace payload
