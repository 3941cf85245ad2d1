#include "tests/support/scratch_folder.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>

namespace kit_test {

namespace fs = std::filesystem;

namespace {

// "<suite>.<test>" of the running test; "suite" outside one (a suite's
// shared set-up).
std::string test_label() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  if (info == nullptr) return "suite";
  std::string label = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : label)
    if (c == '/') c = '_';  // parameterized names
  return label;
}

}  // namespace

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() / ("kit-" + test_label() + "-" + std::to_string(::getpid()) +
                                       "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void ScratchFolder::write(std::string_view name, std::string_view text) const {
  write_text(path_ / name, text);
}

std::string ScratchFolder::read(std::string_view name) const { return read_text(path_ / name); }

std::vector<std::string> ScratchFolder::lines(std::string_view name) const {
  return read_lines(path_ / name);
}

bool ScratchFolder::has(std::string_view name) const { return fs::exists(path_ / name); }

std::set<std::string> ScratchFolder::listing() const {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_))
    names.insert(entry.path().filename().string());
  return names;
}

std::string read_text(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> read_lines(const fs::path& file) { return lines_of(read_text(file)); }

void write_text(const fs::path& file, std::string_view text) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

std::vector<std::string> lines_of(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace kit_test
