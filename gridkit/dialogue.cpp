#include "gridkit/dialogue.hpp"

#include "gridkit/notes.hpp"

namespace gridkit {

std::string ask_name(Console& con, const Record& prompt, int length, int unit) {
  con.write(prompt);
  return resolve_name(con, con.read_field(length), length, unit);
}

InFile ask_existing(Console& con, const std::filesystem::path& folder, const Record& prompt,
                    int length, int unit) {
  return open_existing(folder, ask_name(con, prompt, length, unit));
}

std::string resolve_name(Console& con, std::string_view field, int length, int unit) {
  std::string name = trim_blanks(field);
  while (name.empty()) {
    con.line("File name missing or blank - please enter file name");
    con.line("UNIT " + std::to_string(unit) + "? ");
    name = trim_blanks(con.read_field(length));
  }
  return name;
}

std::string ask_base(Console& con, const Record& prompt, int length, int base_length) {
  con.write(prompt);
  const std::string answer = con.read_field(length);
  const std::size_t kept = static_cast<std::size_t>(base_length);
  const std::string base = trim_blanks(answer.substr(0, kept));
  // read_field has already noted a cut to the field; this is the cut from
  // the field to the base.
  if (answer.find_first_not_of(' ', kept) != std::string::npos) {
    note("the answer \"" + trim_blanks(answer) + "\" is longer than the " +
         std::to_string(base_length) + "-character base name; \"" + base + "\" is used");
  }
  return base;
}

InFile open_existing(const std::filesystem::path& folder, const std::string& name) {
  return InFile::open_existing(folder / name, name);
}

OutFile create_or_replace(const std::filesystem::path& folder, const std::string& name) {
  return OutFile(folder / name, name);
}

}  // namespace gridkit
