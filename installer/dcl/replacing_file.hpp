// An output file of the dcl command that never destroys what stands under
// its name before it has something to put there. Bytes go to a temporary
// file beside the name; commit() moves it over the name. If it is dropped
// uncommitted (the command stopped on an error), it is moved over the name
// when bytes were written (what was decoded is kept) and discarded when none
// were, leaving any earlier file of that name as it was. An input of the
// same name is therefore read as it was before the command.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace dcl {

class ReplacingFile {
 public:
  // Creates the temporary file; failure throws std::runtime_error.
  explicit ReplacingFile(const std::string& path);
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ~ReplacingFile();

  void write(const char* bytes, std::size_t size);
  std::uint64_t written() const { return written_; }
  // Moves the file over its name; failure throws std::runtime_error.
  void commit();
  // Removes the temporary file; the name keeps whatever it held.
  void discard() noexcept;

 private:
  std::string name_;
  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::ofstream out_;
  std::uint64_t written_ = 0;
  bool open_ = false;
};

}  // namespace dcl
