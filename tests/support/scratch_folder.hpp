// A scratch folder for one test: a fresh folder under the system's temporary
// folder, named after the running test, the process and a counter (so that a
// test runs beside copies of itself), removed with everything in it when the
// folder object goes.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kit_test {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  void write(std::string_view name, std::string_view text) const;
  std::string read(std::string_view name) const;  // "" when there is no such file
  std::vector<std::string> lines(std::string_view name) const;
  bool has(std::string_view name) const;
  std::set<std::string> listing() const;  // the names the folder holds

 private:
  std::filesystem::path path_;
};

// A whole file's bytes ("" when it does not exist), and its lines without
// their line ends.
std::string read_text(const std::filesystem::path& file);
std::vector<std::string> read_lines(const std::filesystem::path& file);
void write_text(const std::filesystem::path& file, std::string_view text);

// The lines of a text (a console transcript, a file read whole).
std::vector<std::string> lines_of(std::string_view text);

}  // namespace kit_test
