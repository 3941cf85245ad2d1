// Parsing the packer's manifest, refusing anything the installer would.
#include "installer/payload/manifest.hpp"

#include <sstream>

#include "installer/payload/format.hpp"
#include "installer/payload/records.hpp"

namespace payload {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && (blank(text[end - 1]) || text[end - 1] == '\r')) --end;
  return text.substr(begin, end - begin);
}

class LineParser {
 public:
  LineParser(const std::string& path, int line)
      : where_(path + ":" + std::to_string(line) + ": ") {}

  [[noreturn]] void fail(const std::string& problem) const { throw PackError(where_ + problem); }

  // Splits into words; a word may be written in double quotes to hold blanks.
  std::vector<std::string> words(const std::string& text) const {
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < text.size()) {
      if (blank(text[i])) {
        ++i;
        continue;
      }
      std::string word;
      if (text[i] == '"') {
        const std::size_t close = text.find('"', i + 1);
        if (close == std::string::npos) fail("a quoted word has no closing quote");
        word = text.substr(i + 1, close - i - 1);
        i = close + 1;
        if (i < text.size() && !blank(text[i])) fail("a closing quote must end its word");
      } else {
        while (i < text.size() && !blank(text[i])) word += text[i++];
      }
      result.push_back(word);
    }
    return result;
  }

 private:
  std::string where_;
};

void set_header_text(const LineParser& p, std::string& value, bool& present, const std::string& key,
                     const std::string& text) {
  if (present) p.fail("\"" + key + "\" is given twice");
  if (text.size() > kMaxName) p.fail(key + " text is longer than 259 characters");
  value = text;
  present = true;
}

std::uint8_t parse_mode(const LineParser& p, const std::string& text) {
  if (text.empty() || text.size() > 3 ||
      text.find_first_not_of("0123456789") != std::string::npos || std::stoi(text) > 255) {
    p.fail("mode must be a number from 0 to 255, not \"" + text + "\"");
  }
  return static_cast<std::uint8_t>(std::stoi(text));
}

}  // namespace

Manifest parse_manifest(const std::string& text, const std::filesystem::path& folder,
                        const std::string& path) {
  Manifest manifest;
  manifest.path = path;
  std::istringstream in(text);
  std::string raw;
  int line = 0;
  std::size_t disks = 0;
  while (std::getline(in, raw)) {
    ++line;
    const std::string content = trim(raw);
    if (content.empty() || content[0] == '#') continue;
    const LineParser p(path, line);
    if (content.find('\0') != std::string::npos) p.fail("the line holds a zero byte");
    const std::size_t key_end = content.find_first_of(" \t");
    const std::string key = content.substr(0, key_end);
    const std::string rest = key_end == std::string::npos ? "" : trim(content.substr(key_end));
    InstallHeader& h = manifest.header;
    if (key == "folder") {
      set_header_text(p, h.install_folder, h.has_folder, key, rest);
    } else if (key == "program") {
      set_header_text(p, h.program, h.has_program, key, rest);
    } else if (key == "description") {
      set_header_text(p, h.description, h.has_description, key, rest);
    } else if (key == "link") {
      set_header_text(p, h.link_name, h.has_link, key, rest);
    } else if (key == "mode") {
      if (h.mode) p.fail("\"mode\" is given twice");
      h.mode = parse_mode(p, rest);
    } else if (key == "file" || key == "personal") {
      const std::vector<std::string> words = p.words(rest);
      if (words.size() != 3) p.fail(key + " takes a condition, a name and a source file");
      if (words[0].size() != 1 || !known_condition(words[0][0])) {
        p.fail("condition must be one of . 1 2 3 = ?, not \"" + words[0] + "\"");
      }
      if (const std::string problem = name_problem(words[1]); !problem.empty()) p.fail(problem);
      if (words[2].empty()) p.fail("the source file name is empty");
      ManifestItem item;
      item.line = line;
      item.personal = key == "personal";
      item.condition = words[0][0];
      item.name = words[1];
      item.source = std::filesystem::path(words[2]).is_absolute() ? std::filesystem::path(words[2])
                                                                  : folder / words[2];
      manifest.items.push_back(item);
    } else if (key == "disk") {
      if (const std::string problem = label_problem(rest); !problem.empty()) p.fail(problem);
      if (++disks > kMaxDisks)
        p.fail("more than eight disks (the last continuation file is 9.DAT)");
      ManifestItem item;
      item.kind = ManifestItem::Kind::disk;
      item.line = line;
      item.label = rest;
      manifest.items.push_back(item);
    } else {
      p.fail("\"" + key +
             "\" is not a manifest item (folder, program, description, link, mode, "
             "file, personal, disk)");
    }
  }
  return manifest;
}

}  // namespace payload
