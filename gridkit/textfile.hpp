// Text files as the tools use them: an input read line by line with its line
// number kept for error reports, and an output written line by line.
//
// No run destroys a file. An input is read whole when it is opened (at most
// 256 MiB), so an output of the same name cannot change what is read. An
// output is written to a temporary file beside its name and moved over that
// name at the end of a normal run. When the run stops on an error, a file
// already standing under the name stays as it was; what was written is kept
// only under a name that held no file.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gridkit/record.hpp"
#include "gridkit/replacing_output.hpp"

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
  // Blank lines at the end of a file (an editor's or a mail program's
  // leftovers) are not part of it: no reader sees them.
  InFile(std::string name, std::unique_ptr<char[]> storage, std::string_view text)
      : name_(std::move(name)),
        storage_(std::move(storage)),
        text_(without_trailing_blank_lines(text)) {}
  static std::string_view without_trailing_blank_lines(std::string_view text);
  std::string name_;
  std::unique_ptr<char[]> storage_;
  std::string_view text_;  // within storage_
  std::size_t pos_ = 0;
  long line_ = 0;
};

class OutFile {
 public:
  // Create-or-replace, by way of a temporary file in the same folder (see
  // ReplacingOutput for devices, FIFOs and links). An existing file of the
  // name is left alone until the output is closed; one that may not be
  // written (a folder, a read-only file) is an open error.
  OutFile(const std::filesystem::path& path, std::string display_name);
  OutFile(OutFile&& other) noexcept = default;
  OutFile& operator=(OutFile&& other) noexcept;
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;
  // Put in place when the scope ends normally; when an error unwinds past
  // it, kept only if something was written and no file stood under its name.
  ~OutFile();

  void line(std::string_view text);  // text and a line end
  void write(const Record& record);  // each record as a line, carriage control kept
  // Hands every line so far to the system; a refused write is a write error.
  void flush();
  // Moves the finished file over its name now; a failure is a write error.
  void close();
  const std::string& name() const { return output_.name(); }

 private:
  void settle() noexcept;  // what the destructor does

  // Lines are gathered here and handed to the system in large blocks: one
  // copy and few system calls for a file of many short lines.
  static constexpr std::size_t kPendingBytes = std::size_t{1} << 16;

  ReplacingOutput output_;
  std::string pending_;
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
