// Loading the payload and its install header.
#include "installer/payload/header.hpp"

#include <cstring>
#include <utility>

#include "installer/payload/bytes.hpp"

namespace payload {

namespace {

// One string record (P, X, S, L): letter, separator, string.
struct StringRecord {
  char letter;
  std::string InstallHeader::*value;
  bool InstallHeader::*present;
};

constexpr StringRecord kStringRecords[] = {
    {kFolderRecord, &InstallHeader::install_folder, &InstallHeader::has_folder},
    {kProgramRecord, &InstallHeader::program, &InstallHeader::has_program},
    {kDescriptionRecord, &InstallHeader::description, &InstallHeader::has_description},
    {kLinkRecord, &InstallHeader::link_name, &InstallHeader::has_link},
};

Failure header_failure(std::size_t pos, std::string problem) {
  return Failure{{}, pos, std::move(problem)};
}

}  // namespace

HeaderParse parse_install_header(std::span<const std::uint8_t> bytes) {
  HeaderParse parse;
  std::size_t pos = 0;
  for (const StringRecord& record : kStringRecords) {
    if (pos >= bytes.size() || bytes[pos] != static_cast<std::uint8_t>(record.letter)) continue;
    const CString text = get_string(bytes, pos + 2, kMaxName);
    if (!text.text) {
      parse.failure =
          header_failure(pos, std::string("header record ") + record.letter +
                                  (text.too_long ? " holds a string longer than 259 characters"
                                                 : " runs past the end of the payload"));
      parse.end = pos;
      return parse;
    }
    parse.header.*record.value = *text.text;
    parse.header.*record.present = true;
    pos += 2 + text.text->size() + 1;
  }
  if (pos < bytes.size() && bytes[pos] == static_cast<std::uint8_t>(kModeRecord)) {
    if (pos + 1 >= bytes.size()) {
      parse.failure = header_failure(pos, "header record M runs past the end of the payload");
      parse.end = pos;
      return parse;
    }
    parse.header.mode = bytes[pos + 1];
    pos += 2;
  }
  parse.end = pos;
  return parse;
}

namespace {

// Checks the offset field of `image` and parses the header; the payload is
// the image's tail from the offset on, kept alive by `storage`.
LoadResult load_from(std::span<const std::uint8_t> image,
                     std::shared_ptr<const std::uint8_t[]> storage, const std::string& image_path,
                     const std::string& source_folder) {
  LoadResult result;
  result.payload.image_path = image_path;
  result.payload.source_folder = source_folder;
  const auto fail = [&](std::optional<std::uint64_t> offset, std::string problem) {
    result.failure = Failure{image_path, offset, std::move(problem)};
    return result;
  };
  if (image.size() < kOffsetField + 4) {
    return fail(std::nullopt, "the file is too short to hold the payload offset at byte 28");
  }
  const std::uint32_t offset = get_u32(image, kOffsetField);
  if (offset >= image.size()) {
    return fail(std::nullopt, "the payload offset " + std::to_string(offset) +
                                  " lies at or beyond the end of the file (" +
                                  std::to_string(image.size()) + " bytes): there is no payload");
  }
  HeaderParse parse = parse_install_header(image.subspan(offset));
  if (parse.failure) {
    return fail(offset + *parse.failure->offset, parse.failure->problem);
  }
  result.payload.payload_offset = offset;
  result.payload.header = std::move(parse.header);
  result.payload.stream_start = parse.end;
  result.payload.storage = std::move(storage);
  result.payload.bytes = image.subspan(offset);
  return result;
}

}  // namespace

LoadResult load_install_header_from(std::span<const std::uint8_t> image,
                                    const std::string& image_path,
                                    const std::string& source_folder) {
  std::shared_ptr<std::uint8_t[]> copy = uncleared_storage(image.size());
  if (!image.empty()) std::memcpy(copy.get(), image.data(), image.size());
  const std::span<const std::uint8_t> bytes(copy.get(), image.size());
  return load_from(bytes, std::move(copy), image_path, source_folder);
}

LoadResult load_install_header(Platform& platform, const std::string& image_path,
                               const std::string& source_folder) {
  FileRead read = platform.read_file(image_path);
  if (read.failure) {
    LoadResult result;
    result.payload.image_path = image_path;
    result.payload.source_folder = source_folder;
    result.failure = std::move(read.failure);
    return result;
  }
  // The payload stays in the buffer the image was read into.
  const std::span<const std::uint8_t> image = read.bytes();
  return load_from(image, std::move(read.storage), image_path, source_folder);
}

}  // namespace payload
