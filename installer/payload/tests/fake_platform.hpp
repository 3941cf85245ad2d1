// The in-memory platform for the copy phase, and helpers that build payloads
// record by record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "installer/dcl/implode.hpp"
#include "installer/payload/encode.hpp"
#include "installer/payload/header.hpp"
#include "installer/payload/memory_platform.hpp"

namespace payload::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytes_of(const std::string& text) { return Bytes(text.begin(), text.end()); }

using FakePlatform = MemoryPlatform;

// A record stream under construction.
struct Stream {
  Bytes bytes;

  Stream& file(const std::string& name, const Bytes& content, char condition = '.',
               std::uint64_t time = 0x01D2345678ABCDEFULL, bool personal = false) {
    append_file_record(bytes, personal, condition, name, time,
                       static_cast<std::uint32_t>(content.size()), dcl::implode(content));
    return *this;
  }
  Stream& disk(const std::string& label) { return append_disk_record(bytes, label), *this; }
  Stream& end() { return append_end_record(bytes), *this; }
  Stream& raw(const Bytes& more) {
    return bytes.insert(bytes.end(), more.begin(), more.end()), *this;
  }
};

// A setup image: a 64-byte stub, then the header and the stream.
inline Bytes image_of(const InstallHeader& header, const Bytes& stream) {
  Bytes image(64, 0xCC);
  set_payload_offset(image, 64);
  append_header(image, header);
  image.insert(image.end(), stream.begin(), stream.end());
  return image;
}

}  // namespace payload::testing
