#include "installer/payload/pack.hpp"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <limits>

#include "gridkit/replacing_output.hpp"
#include "installer/payload/encode.hpp"
#include "installer/payload/format.hpp"
#include "installer/payload/posix_platform.hpp"

namespace payload {

std::uint64_t source_file_time(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return kUnixEpochFileTime;
  return file_time(UnixTime{static_cast<std::int64_t>(info.st_mtim.tv_sec),
                            static_cast<std::int64_t>(info.st_mtim.tv_nsec)});
}

namespace {

std::vector<std::uint8_t> read_source(const Manifest& manifest, const ManifestItem& item) {
  const std::string where = manifest.path + ":" + std::to_string(item.line) + ": ";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(item.source, ec)) {
    throw PackError(where + "cannot read source \"" + item.source.string() + "\" (no such file)");
  }
  const auto size = std::filesystem::file_size(item.source, ec);
  if (!ec && size > kMaxFileSize) {
    throw PackError(where + "source \"" + item.source.string() + "\" is " + std::to_string(size) +
                    " bytes, over the 2097152 (2 MiB) a file may hold");
  }
  std::ifstream in(item.source, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (ec || in.bad()) {
    throw PackError(where + "cannot read source \"" + item.source.string() + "\"");
  }
  if (bytes.size() > kMaxFileSize) {
    throw PackError(where + "source \"" + item.source.string() +
                    "\" is over 2097152 bytes (2 MiB)");
  }
  return bytes;
}

}  // namespace

PackedImage build_image(std::span<const std::uint8_t> stub, const std::string& stub_path,
                        const Manifest& manifest, const dcl::ImplodeOptions& compression) {
  if (stub.size() < kOffsetField + 4) {
    throw PackError(stub_path + ": the setup program is only " + std::to_string(stub.size()) +
                    " bytes; it needs at least 32 to hold the payload offset at byte 28");
  }
  if (stub.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw PackError(stub_path + ": the setup program is too large for a 32-bit payload offset");
  }
  PackedImage packed;
  packed.image.assign(stub.begin(), stub.end());
  set_payload_offset(packed.image, static_cast<std::uint32_t>(stub.size()));
  append_header(packed.image, manifest.header);
  std::vector<std::uint8_t>* part = &packed.image;
  for (const ManifestItem& item : manifest.items) {
    if (item.kind == ManifestItem::Kind::disk) {
      append_disk_record(*part, item.label);
      part = &packed.continuations.emplace_back();
      continue;
    }
    const std::vector<std::uint8_t> bytes = read_source(manifest, item);
    const std::vector<std::uint8_t> stream = dcl::implode(bytes, compression);
    append_file_record(*part, item.personal, item.condition, item.name,
                       source_file_time(item.source), static_cast<std::uint32_t>(bytes.size()),
                       stream);
  }
  append_end_record(*part);
  return packed;
}

std::filesystem::path continuation_path(const std::filesystem::path& out, std::size_t index) {
  return out.parent_path() / (std::to_string(index + 2) + ".DAT");
}

void write_image(const PackedImage& packed, const std::filesystem::path& out) {
  std::vector<gridkit::ReplacingOutput> outputs;
  outputs.reserve(packed.continuations.size() + 1);
  const auto write = [&](const std::filesystem::path& path,
                         const std::vector<std::uint8_t>& bytes) {
    outputs.emplace_back(path, path.string());
    outputs.back().write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  };
  try {
    write(out, packed.image);
    for (std::size_t i = 0; i < packed.continuations.size(); ++i)
      write(continuation_path(out, i), packed.continuations[i]);
    // Every file is whole: only now are earlier files of these names replaced.
    for (gridkit::ReplacingOutput& output : outputs) output.commit();
  } catch (...) {
    // An image without its continuation files is no image: none is kept.
    for (gridkit::ReplacingOutput& output : outputs) output.discard();
    throw;
  }
}

}  // namespace payload
