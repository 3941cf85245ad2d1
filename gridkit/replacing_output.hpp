// An output file that never costs the file standing under its name.
//
// A new name, or one holding a regular file, is written to a temporary file
// beside it and moved over the name by commit(). A name that holds a device,
// a FIFO or a socket is written straight through, as a shell redirect would,
// and never replaced. A symbolic link is followed: the file it names is
// replaced and the link stays a link.
//
// When the run stops on an error (abandon(), or the object dropped without a
// commit), an earlier file of the name stays as it was and the partial output
// is discarded; only where the name held no file is what was written kept. A
// write the system refuses (disk full, file-size limit, I/O error) discards
// the temporary file at once and is a write error naming the file and the
// system's reason. Temporary files are removed on SIGINT, SIGTERM and SIGHUP.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>

namespace gridkit {

class ReplacingOutput {
 public:
  // A folder, or an existing file that may not be written, is an open error.
  ReplacingOutput(const std::filesystem::path& path, std::string display_name);
  ReplacingOutput(ReplacingOutput&& other) noexcept;
  ReplacingOutput& operator=(ReplacingOutput&& other) noexcept;
  ReplacingOutput(const ReplacingOutput&) = delete;
  ReplacingOutput& operator=(const ReplacingOutput&) = delete;
  ~ReplacingOutput() { abandon(); }

  void write(const char* bytes, std::size_t size);
  // Puts the finished file in place; a failure is a write error.
  void commit();
  // The run stopped: see the header.
  void abandon() noexcept;
  // Drops the output: the temporary file goes, the name keeps what it held.
  void discard() noexcept;

  bool open() const { return fd_ >= 0; }
  bool written() const { return written_; }
  bool straight_through() const { return straight_; }
  bool existed() const { return existed_; }  // a file stood under the name
  // Where the bytes go until commit(): the temporary file, or the name itself.
  const std::filesystem::path& temporary() const { return temp_; }
  const std::filesystem::path& target() const { return target_; }
  const std::string& name() const { return name_; }

 private:
  void close_descriptor() noexcept;

  std::string name_;
  std::filesystem::path target_;  // the link's target where the name is a link
  std::filesystem::path temp_;
  int fd_ = -1;
  bool straight_ = false;
  bool existed_ = false;  // a file stood under the name when it was opened
  bool written_ = false;
};

// An input of a command, as its files are named to it.
struct NamedInput {
  std::filesystem::path path;
  std::string name;
};

// For commands that name their files on the command line: an output that is
// the same file (same device and inode, through links and other spellings)
// as one of the inputs is an open error naming both, before anything is
// written. A name that does not exist yet is no input.
void refuse_output_over_input(const std::filesystem::path& output, const std::string& output_name,
                              std::span<const NamedInput> inputs);

}  // namespace gridkit
