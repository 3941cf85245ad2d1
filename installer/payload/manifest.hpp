// The packer's manifest: a text file, one item a line, blank lines and lines
// starting with "#" skipped.
//
//   folder TEXT | program TEXT | description TEXT | link TEXT   header P, X, S, L
//   mode N                                                      header M (0..255)
//   file COND NAME SOURCE                                       an "F" record
//   personal COND NAME SOURCE                                   an "f" record
//   disk LABEL                                                  a disk record; the
//                                                               stream goes on in
//                                                               the next .DAT file
//
// TEXT and LABEL are the rest of the line. NAME and SOURCE may be written in
// double quotes to hold blanks; SOURCE is relative to the manifest's folder
// unless absolute.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "installer/payload/header.hpp"

namespace payload {

// A manifest or packing error; the message names the manifest line.
class PackError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct ManifestItem {
  enum class Kind { file, disk } kind = Kind::file;
  int line = 0;
  bool personal = false;
  char condition = '.';
  std::string name;
  std::filesystem::path source;  // resolved against the manifest's folder
  std::string label;
};

struct Manifest {
  std::string path;      // for messages
  InstallHeader header;  // has_* and mode mark the records given
  std::vector<ManifestItem> items;
};

// Parses manifest text. `folder` resolves relative sources; `path` names the
// manifest in messages ("PATH:LINE: what is wrong"). Throws PackError.
Manifest parse_manifest(const std::string& text, const std::filesystem::path& folder,
                        const std::string& path);

}  // namespace payload
