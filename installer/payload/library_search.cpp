// Reading the dynamic loader's cache and listing the folders it searches.
#include "installer/payload/library_search.hpp"

#include <algorithm>
#include <cstring>
#include <optional>

namespace payload {

namespace {

constexpr std::string_view kOldMagic = "ld.so-1.7.0";
constexpr std::string_view kNewMagic = "glibc-ld.so.cache1.1";  // magic and version
constexpr std::size_t kOldHeader = 16;                          // magic, padding, count
constexpr std::size_t kOldEntry = 12;                           // flags, name, file
constexpr std::size_t kNewHeader = 48;
constexpr std::size_t kNewEntry = 24;  // flags, name, file, os version, hardware caps

// Upstream defaults of the loader; distributions add their own folders
// through the cache, whose folders come first.
constexpr std::string_view kDefaultFolders[] = {"/lib64", "/usr/lib64", "/lib", "/usr/lib"};

std::uint32_t u32_at(std::span<const std::uint8_t> bytes, std::size_t pos) {
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + pos, 4);  // the cache is in the machine's own byte order
  return value;
}

bool starts_with(std::span<const std::uint8_t> bytes, std::size_t pos, std::string_view magic) {
  return pos <= bytes.size() && bytes.size() - pos >= magic.size() &&
         std::memcmp(bytes.data() + pos, magic.data(), magic.size()) == 0;
}

// The zero-ended string at `pos`, if it ends inside `bytes`.
std::optional<std::string> string_at(std::span<const std::uint8_t> bytes, std::size_t pos) {
  if (pos >= bytes.size()) return std::nullopt;
  const auto* begin = bytes.data() + pos;
  const auto* end = static_cast<const std::uint8_t*>(std::memchr(begin, 0, bytes.size() - pos));
  if (end == nullptr) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin));
}

// Reads `count` entries of `entry_size` bytes from `entries`; their string
// offsets count from `strings`.
std::vector<CachedLibrary> read_entries(std::span<const std::uint8_t> cache, std::size_t entries,
                                        std::uint64_t count, std::size_t entry_size,
                                        std::size_t strings) {
  std::vector<CachedLibrary> libraries;
  if (entries > cache.size() || count > (cache.size() - entries) / entry_size) return libraries;
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::size_t at = entries + static_cast<std::size_t>(i) * entry_size;
    const auto name = string_at(cache, strings + std::size_t{u32_at(cache, at + 4)});
    const auto path = string_at(cache, strings + std::size_t{u32_at(cache, at + 8)});
    if (name && path) libraries.push_back({*name, *path});
  }
  return libraries;
}

}  // namespace

std::vector<CachedLibrary> parse_loader_cache(std::span<const std::uint8_t> cache) {
  std::size_t new_at = 0;
  if (starts_with(cache, 0, kOldMagic)) {
    if (cache.size() < kOldHeader) return {};
    const std::uint64_t count = u32_at(cache, 12);
    const std::uint64_t old_end = kOldHeader + count * kOldEntry;
    new_at = static_cast<std::size_t>(
        std::min<std::uint64_t>((old_end + 7) & ~std::uint64_t{7}, cache.size()));
    if (!starts_with(cache, new_at, kNewMagic)) {
      if (old_end > cache.size()) return {};
      return read_entries(cache, kOldHeader, count, kOldEntry, static_cast<std::size_t>(old_end));
    }
  }
  if (!starts_with(cache, new_at, kNewMagic) || cache.size() - new_at < kNewHeader) return {};
  return read_entries(cache, new_at + kNewHeader, u32_at(cache, new_at + 20), kNewEntry, new_at);
}

std::vector<std::string> loader_folders(std::string_view library_path,
                                        const std::vector<CachedLibrary>& cache) {
  std::vector<std::string> folders;
  const auto add = [&](std::string_view folder) {
    if (folder.empty() || folder[0] != '/') return;
    while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.emplace_back(folder);
  };
  for (std::size_t begin = 0; begin <= library_path.size();) {
    const std::size_t end = std::min(library_path.find_first_of(":;", begin), library_path.size());
    add(library_path.substr(begin, end - begin));
    begin = end + 1;
  }
  for (const CachedLibrary& library : cache) {
    const std::size_t slash = library.path.rfind('/');
    if (slash != std::string::npos)
      add(std::string_view(library.path).substr(0, slash == 0 ? 1 : slash));
  }
  for (std::string_view folder : kDefaultFolders) add(folder);
  return folders;
}

}  // namespace payload
