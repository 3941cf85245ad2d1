// Building a setup image: the stub program, the payload offset at byte 28,
// the install header and the record stream, split into continuation files
// at each disk item.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "installer/dcl/implode.hpp"
#include "installer/payload/manifest.hpp"

namespace payload {

struct PackedImage {
  std::vector<std::uint8_t> image;                       // OUT
  std::vector<std::vector<std::uint8_t>> continuations;  // "2.DAT", "3.DAT", ...
};

// Compresses every file of the manifest and lays out the image. `stub` must
// be at least 32 bytes (it holds the offset field). Throws PackError naming
// the manifest line for a source that cannot be read or is over 2 MiB.
PackedImage build_image(std::span<const std::uint8_t> stub, const std::string& stub_path,
                        const Manifest& manifest, const dcl::ImplodeOptions& compression);

// Writes OUT and its continuation files beside it as the kit writes every
// output (gridkit/replacing_output.hpp), each moved over its name only once
// all are whole. On any failure earlier files of those names stay as they
// were, nothing new is kept, and the error gives the system's reason.
void write_image(const PackedImage& packed, const std::filesystem::path& out);

// The continuation file `index` (0 for "2.DAT") beside `out`.
std::filesystem::path continuation_path(const std::filesystem::path& out, std::size_t index);

// The last-write time of a file as a Windows file time.
std::uint64_t source_file_time(const std::filesystem::path& path);

}  // namespace payload
