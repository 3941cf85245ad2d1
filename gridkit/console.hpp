// The console side of every tool's dialogue.
//
// Records are shown without their first character, which is carriage control:
// "0" shows an empty line first, "1" a form feed first, anything else nothing
// extra. Answers are read one line at a time; a trailing carriage return is
// dropped; the end of input where an answer is expected is an error.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "gridkit/record.hpp"

namespace gridkit {

class Console {
 public:
  Console(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  void write(const Record& record);           // every record of one statement
  void show_record(std::string_view record);  // one record, carriage control first
  void line(std::string_view text);           // a plain line as it stands

  // The five-line frame: a rule, the centred name, two credit lines, a rule.
  void banner(std::string_view name);
  // The closing line of a normal run.
  void stop();

  std::string read_line();
  // A name answer in a field of `length` characters: the first `length`
  // characters of the line, padded with blanks. When more than blanks is
  // cut off, a note says which name is used.
  std::string read_field(int length);
  // Free-format values from the console, as one read statement.
  void read_values(std::span<double> values);
  void read_values(std::span<float> values);
  void read_values(std::span<long long> values);

  std::ostream& out() { return out_; }

 private:
  template <class T>
  void read_values_impl(std::span<T> values);
  std::istream& in_;
  std::ostream& out_;
  long answers_ = 0;
};

// The name typed into a field, with leading and trailing blanks removed.
std::string trim_blanks(std::string_view field);

}  // namespace gridkit
