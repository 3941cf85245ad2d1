#include "gridkit/dialogue.hpp"

namespace gridkit {

std::string ask_name(Console& con, const Record& prompt, int length, int unit) {
  con.write(prompt);
  return resolve_name(con, con.read_field(length), length, unit);
}

InFile ask_existing(Console& con, const std::filesystem::path& folder, const Record& prompt,
                    int length, int unit) {
  return open_existing(folder, ask_name(con, prompt, length, unit));
}

InFile open_existing(const std::filesystem::path& folder, const std::string& name) {
  return InFile::open_existing(folder / name, name);
}

OutFile create_or_replace(const std::filesystem::path& folder, const std::string& name) {
  return OutFile(folder / name, name);
}

}  // namespace gridkit
