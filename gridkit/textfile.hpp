// Text files as the tools use them: an input read line by line with its line
// number kept for error reports, and an output written line by line.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gridkit/record.hpp"

namespace gridkit {

class InFile {
 public:
  // Opens a file that must exist; a missing one is an open error.
  static InFile open_existing(const std::filesystem::path& path, std::string display_name);
  // Opens a file, creating it empty if it is missing (create-or-replace mode
  // used for an input: the first read of a new file meets its end).
  static InFile open_or_create(const std::filesystem::path& path, std::string display_name);
  // An in-memory file, for tests and fuzzing.
  static InFile from_text(std::string display_name, std::string text);

  // The next line, without its line end (a trailing carriage return is
  // dropped too); nullopt at the end of the file.
  std::optional<std::string_view> next_line();
  // As next_line(), but the end of the file is an end-of-file error.
  std::string_view require_line();
  bool at_end() const { return pos_ >= text_.size(); }

  long line_number() const { return line_; }  // line last returned, 0 before
  const std::string& name() const { return name_; }

 private:
  InFile(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) {}
  std::string name_;
  std::string text_;
  std::size_t pos_ = 0;
  long line_ = 0;
};

class OutFile {
 public:
  // Create-or-replace: a missing file is created, an existing one emptied.
  OutFile(const std::filesystem::path& path, std::string display_name);
  OutFile(OutFile&&) = default;
  OutFile& operator=(OutFile&&) = default;

  void line(std::string_view text);  // text and a line end
  void write(const Record& record);  // each record as a line, carriage control kept
  void flush();
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::ofstream out_;
};

// Free-format reads: each call is one read statement. It starts at the next
// line, takes values separated by blanks, tabs or commas across as many lines
// as it needs (repeat counts "3*0.0" allowed) and skips whatever follows the
// last value on its line. A token that is not a number is a read error naming
// the line; the end of the file before all values is an end-of-file error.
void read_free(InFile& file, std::span<float> values);
void read_free(InFile& file, std::span<double> values);
void read_free(InFile& file, std::span<long long> values);
// As read_free, but the end of the file (before or during the read) returns
// false instead of being an error: how the point lists end.
bool try_read_free(InFile& file, std::span<float> values);
bool try_read_free(InFile& file, std::span<double> values);

}  // namespace gridkit
