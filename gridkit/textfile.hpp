// Text files as the tools use them: an input read line by line with its line
// number kept for error reports, and an output written line by line.
//
// No run destroys a file. An input is read whole when it is opened, so an
// output of the same name cannot change what is read. An output is written
// to a temporary file beside its name and moved over that name when it is
// closed: at the end of a normal run, or when the run stops on an error after
// something was written to it (what was written is kept). An output to which
// nothing was written when the run stops, or whose writing failed (a full
// disk), is discarded, and a file already standing under its name stays as
// it was.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gridkit/record.hpp"

namespace gridkit {

class InFile {
 public:
  // Opens a file that must exist; a missing one is an open error and is
  // never created. A UTF-8 byte-order mark at its start is skipped (a note
  // says so).
  static InFile open_existing(const std::filesystem::path& path, std::string display_name);
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
  // The file's bytes are held in storage that is not cleared first: a grid
  // file is a megabyte or more, read straight from the system into it.
  InFile(std::string name, std::unique_ptr<char[]> storage, std::string_view text)
      : name_(std::move(name)), storage_(std::move(storage)), text_(text) {}
  std::string name_;
  std::unique_ptr<char[]> storage_;
  std::string_view text_;  // within storage_
  std::size_t pos_ = 0;
  long line_ = 0;
};

class OutFile {
 public:
  // Create-or-replace, by way of a temporary file in the same folder. An
  // existing file of the name is left alone until the output is closed; one
  // that may not be written (a folder, a read-only file) is an open error.
  OutFile(const std::filesystem::path& path, std::string display_name);
  OutFile(OutFile&& other) noexcept;
  OutFile& operator=(OutFile&& other) noexcept;
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;
  // Closes as the header says: kept when the scope ends normally or when
  // something was written; discarded when an error unwinds past an output
  // still empty.
  ~OutFile();

  void line(std::string_view text);  // text and a line end
  void write(const Record& record);  // each record as a line, carriage control kept
  void flush();
  // Moves the finished file over its name now; a failure is a write error.
  void close();
  const std::string& name() const { return name_; }

 private:
  void settle() noexcept;  // what the destructor does
  void discard() noexcept;
  void hand_over() noexcept;  // pending lines to the stream
  [[noreturn]] void fail_write();  // discards the output, throws a write error

  // Lines are gathered here and handed to the stream in large blocks: one
  // copy and few system calls for a file of many short lines.
  static constexpr std::size_t kPendingBytes = std::size_t{1} << 16;

  std::string name_;
  std::filesystem::path target_;  // the name the file is moved to
  std::filesystem::path temp_;    // where it is written until then
  std::ofstream out_;
  std::string pending_;
  bool open_ = false;
  bool written_ = false;
  int unwinding_at_open_ = 0;  // exceptions in flight when it was opened
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
