#include "tools/kitmodel/model_text.hpp"

namespace kitmodel {

void write_text_file(const std::filesystem::path& folder, const std::string& name,
                     std::string_view text, std::vector<std::string>& written) {
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
