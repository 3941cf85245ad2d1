#include "gridkit/dialogue.hpp"

#include "gridkit/notes.hpp"

namespace gridkit {

namespace {

// The retry after a blank answer: what was missing, the short prompt naming
// the unit, and a new answer.
std::string ask_again(Console& con, int length, int unit) {
  con.line("File name missing or blank - please enter file name");
  con.line("UNIT " + std::to_string(unit) + "? ");
  return con.read_field(length);
}

// The base held by one answer, with the note on a cut; blank when the
// characters that form it are.
std::string base_of(std::string_view answer, int base_length) {
  const std::size_t kept = static_cast<std::size_t>(base_length);
  const std::string base = trim_blanks(answer.substr(0, kept));
  // read_field has already noted a cut to the field; this is the cut from
  // the field to the base.
  if (!base.empty() && answer.find_first_not_of(' ', kept) != std::string_view::npos) {
    note("the answer \"" + trim_blanks(answer) + "\" is longer than the " +
         std::to_string(base_length) + "-character base name; \"" + base + "\" is used");
  }
  return base;
}

}  // namespace

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
  while (name.empty()) name = trim_blanks(ask_again(con, length, unit));
  return name;
}

std::string ask_base(Console& con, const Record& prompt, int length, int base_length, int unit) {
  con.write(prompt);
  std::string base = base_of(con.read_field(length), base_length);
  while (base.empty()) base = base_of(ask_again(con, length, unit), base_length);
  return base;
}

InFile open_existing(const std::filesystem::path& folder, const std::string& name) {
  return InFile::open_existing(folder / name, name);
}

OutFile create_or_replace(const std::filesystem::path& folder, const std::string& name) {
  return OutFile(folder / name, name);
}

}  // namespace gridkit
