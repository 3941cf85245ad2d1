#include "tools/kitmodel/model_text.hpp"

#include <charconv>

#include "gridkit/free_arrays.hpp"

namespace kitmodel {

std::string shortest(float value) {
  char text[16];
  return std::string(text, gridkit::put_shortest(text, value));
}

std::string shortest(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string shortest_fixed(double value) {
  char text[400];  // the longest double in fixed notation
  return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr);
}

void write_text_file(const std::filesystem::path& folder, const std::string& name, std::string_view text,
                     std::vector<std::string>& written) {
  gridkit::OutFile file(folder / name, name);
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    file.line(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  file.close();
  written.push_back(name);
}

}  // namespace kitmodel
