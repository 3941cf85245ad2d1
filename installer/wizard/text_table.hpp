// The numbered text table: fixed texts are passed around as string numbers
// (any value below 65536) or as the address of a text.
#pragma once

#include <cstdint>
#include <string>

namespace wizard {

// Texts the wizard names, by their number in the table (the colours of
// colours.hpp are numbered the same way, as the installer passes both).
inline constexpr unsigned kCaptionText = 3;
inline constexpr unsigned kSourceFolderText = 15;
inline constexpr unsigned kModulePathText = 16;
inline constexpr unsigned kStatusText = 20;
inline constexpr unsigned kInstallingText = 21;
inline constexpr unsigned kLoadingText = 22;

class TextTable {
 public:
  static constexpr unsigned kCount = 23;

  // Fills string 16 with the module path and string 15 with its folder: the
  // path cut after its last ":" or "\".
  void set_module_path(const std::string& path);

  // String `number`; a number of 0 or above the count gives entry 1.
  const char* text(unsigned number) const;

  // A text argument: a string number when below 65536, else the text itself.
  const char* resolve(std::uintptr_t text_or_number) const;

 private:
  std::string module_path_;
  std::string source_folder_;
};

// The folder part of a path, with its separator: everything up to and
// including the last ":" or "\" (empty when there is neither).
std::string source_folder_of(const std::string& path);

}  // namespace wizard
