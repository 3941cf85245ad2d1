#include "installer/dcl/replacing_file.hpp"

#include <stdexcept>
#include <system_error>

namespace dcl {

namespace {

// A name beside `target` that no file holds yet.
std::filesystem::path free_temporary_name(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path();
  for (int n = 0; n < 1000; ++n) {
    const std::filesystem::path candidate =
        folder / ("." + target.filename().string() + ".dcl-" + std::to_string(n) + ".tmp");
    std::error_code ec;
    if (!std::filesystem::exists(candidate, ec) && !ec) return candidate;
  }
  return {};
}

}  // namespace

ReplacingFile::ReplacingFile(const std::string& path) : name_(path), target_(path) {
  std::error_code ec;
  if (std::filesystem::is_directory(target_, ec)) {
    throw std::runtime_error("cannot create output file \"" + name_ + "\": it is a folder");
  }
  temp_ = free_temporary_name(target_);
  if (!temp_.empty()) out_.open(temp_, std::ios::binary | std::ios::trunc);
  if (!out_.is_open()) throw std::runtime_error("cannot create output file \"" + name_ + "\"");
  open_ = true;
}

ReplacingFile::~ReplacingFile() {
  if (!open_) return;
  if (written_ == 0) {
    discard();
    return;
  }
  try {
    commit();
  } catch (const std::exception&) {
    discard();
  }
}

void ReplacingFile::write(const char* bytes, std::size_t size) {
  out_.write(bytes, static_cast<std::streamsize>(size));
  written_ += size;
}

void ReplacingFile::commit() {
  if (!open_) return;
  out_.close();
  if (!out_) {
    discard();
    throw std::runtime_error("cannot write output file \"" + name_ + "\"");
  }
  std::error_code ec;
  std::filesystem::rename(temp_, target_, ec);
  if (ec) {
    discard();
    throw std::runtime_error("cannot put output file \"" + name_ + "\" in place: " + ec.message());
  }
  open_ = false;
}

void ReplacingFile::discard() noexcept {
  out_.close();
  std::error_code ec;
  std::filesystem::remove(temp_, ec);
  open_ = false;
}

}  // namespace dcl
