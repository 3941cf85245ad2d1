#include "installer/wizard/text_table.hpp"

namespace wizard {
namespace {

const char* fixed_text(unsigned number) {
  switch (number) {
    case kCaptionText: return "Quorvane Setup";
    case kStatusText: return "Status";
    case kInstallingText: return "Installing file:";
    case kLoadingText: return "Loading install data:";
    default: return "*BadRscID*";
  }
}

}  // namespace

std::string source_folder_of(const std::string& path) {
  const auto cut = path.find_last_of(":\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

void TextTable::set_module_path(const std::string& path) {
  module_path_ = path;
  source_folder_ = source_folder_of(path);
}

const char* TextTable::text(unsigned number) const {
  if (number == 0 || number > kCount) number = 1;
  if (number == kSourceFolderText) return source_folder_.c_str();
  if (number == kModulePathText) return module_path_.c_str();
  return fixed_text(number);
}

const char* TextTable::resolve(std::uintptr_t text_or_number) const {
  if (text_or_number < 65536) return text(static_cast<unsigned>(text_or_number));
  return reinterpret_cast<const char*>(text_or_number);
}

}  // namespace wizard
