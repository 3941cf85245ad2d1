// The one error type of the kit. A tool stops at the first one; main() prints
// its message as one line on standard error and exits with status 2. Files
// already created stay as they are.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace gridkit {

class KitError : public std::runtime_error {
 public:
  explicit KitError(const std::string& message) : std::runtime_error(message) {}

  // "open FILE: REASON"
  static KitError open(std::string_view file, std::string_view reason);
  // "read FILE line N: REASON, found "TEXT"" (TEXT shortened when long)
  static KitError read(std::string_view file, long line, std::string_view reason,
                       std::string_view found);
  // "read FILE line N: REASON" where no one field is at fault.
  static KitError read_line(std::string_view file, long line, std::string_view reason);
  // "read FILE line N: end of file"; line is the line the read stopped after.
  static KitError end_of_file(std::string_view file, long line);
  // "read FILE: REASON" for errors that belong to no single line.
  static KitError read_file(std::string_view file, std::string_view reason);
  // "write FILE: REASON"
  static KitError write(std::string_view file, std::string_view reason);
};

// The system's reason for error number `error_number`, as a message part
// ("no space left on device").
std::string system_reason(int error_number);

// A file name or value as a message shows it: unchanged when it holds only
// printable characters, otherwise in double quotes with each control byte
// escaped ("ZONES.BOL\t"), so that nothing it holds is hidden.
std::string shown_name(std::string_view name);

}  // namespace gridkit
