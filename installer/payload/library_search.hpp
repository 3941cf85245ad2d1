// Where the dynamic loader would look for a library of a bare name, worked
// out without loading anything: the names and folders of its cache
// (/etc/ld.so.cache), the absolute folders of LD_LIBRARY_PATH and its
// default folders. Loading a library runs its start-up code, so the presence
// test of condition "?" only looks for the file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace payload {

// One library the loader's cache knows: the name it is asked for and the
// file it maps to.
struct CachedLibrary {
  std::string name;
  std::string path;
};

// The entries of an ld.so.cache image (the current format, the old one, or
// the old one followed by the current one). Entries whose strings lie
// outside the image are left out; bytes that are no cache give nothing.
std::vector<CachedLibrary> parse_loader_cache(std::span<const std::uint8_t> cache);

// The folders to look in, in order and without repeats: the absolute entries
// of `library_path` (relative and empty ones stand for the current folder
// and are left out), the folders of the cache's files, then the default
// folders.
std::vector<std::string> loader_folders(std::string_view library_path,
                                        const std::vector<CachedLibrary>& cache);

}  // namespace payload
