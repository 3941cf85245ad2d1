// The install header at the start of the payload, and loading the payload
// from the setup image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "installer/payload/failure.hpp"
#include "installer/payload/format.hpp"
#include "installer/payload/platform.hpp"

namespace payload {

// The header's values; absent records leave the built-in defaults.
struct InstallHeader {
  std::string install_folder{kDefaultFolder};    // P
  std::string program{kDefaultProgram};          // X
  std::string description{kDefaultDescription};  // S
  std::string link_name{kDefaultLink};           // L
  std::optional<std::uint8_t> mode;              // M (stored, acted on by nothing)

  // Which of P, X, S, L were present (M: mode.has_value()).
  bool has_folder = false;
  bool has_program = false;
  bool has_description = false;
  bool has_link = false;
};

// A loaded payload: the bytes from the payload offset to the end of the
// setup image, the header parsed from them and where the record stream
// starts. Copies share the bytes.
struct Payload {
  std::string image_path;     // the setup image, for messages
  std::string source_folder;  // where continuation files lie; ends with the separator
  std::uint32_t payload_offset = 0;
  std::shared_ptr<const std::uint8_t[]> storage;  // holds `bytes`
  std::span<const std::uint8_t> bytes;
  InstallHeader header;
  std::size_t stream_start = 0;  // index into `bytes`
};

// Parses the header records at the start of `bytes`. Returns the header
// and the index of the first byte after it, or a failure (a string without
// its terminator inside `bytes`, or longer than 259 characters) whose
// offset is relative to `bytes`.
struct HeaderParse {
  InstallHeader header;
  std::size_t end = 0;
  std::optional<Failure> failure;
};
HeaderParse parse_install_header(std::span<const std::uint8_t> bytes);

// Loads the payload of the setup image at `image_path`. On failure the
// result still holds the built-in defaults and an empty record stream, and
// `failure` says why the payload is unreadable (image cannot be opened or
// sized, too short for the offset, offset at or past its end, fewer bytes
// read than it holds, a broken header record).
struct LoadResult {
  Payload payload;
  std::optional<Failure> failure;
};
LoadResult load_install_header(Platform& platform, const std::string& image_path,
                               const std::string& source_folder);

// The same over an image already in memory.
LoadResult load_install_header_from(std::span<const std::uint8_t> image,
                                    const std::string& image_path,
                                    const std::string& source_folder);

}  // namespace payload
