// Free-format (list) output: one output statement's items laid out as one or
// more records. Every record begins with its carriage-control character (a
// blank for the first record); after it there is room for 79 characters.
// An item is placed only while the room left is greater than its width
// (field plus a separating blank between numeric items); a numeric item that
// does not fit starts a new record, a text item fills the room left and its
// rest continues on a new record that starts with one blank.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

class Record {
 public:
  Record() = default;

  Record& text(std::string_view text);
  Record& integer(long long value);
  Record& real(float value);          // single precision, 15-character field
  Record& real_double(double value);  // double precision, 24-character field
  Record& reals(std::span<const float> values);

  Record& operator<<(std::string_view t) { return text(t); }
  Record& operator<<(const char* t) { return text(t); }
  Record& operator<<(int v) { return integer(v); }
  Record& operator<<(long v) { return integer(v); }
  Record& operator<<(long long v) { return integer(v); }
  Record& operator<<(float v) { return real(v); }
  Record& operator<<(double v) { return real_double(v); }

  // The finished records, each starting with its carriage-control character.
  // A statement with no items gives one record holding just the blank.
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  void numeric(std::string_view field);
  void open_pending_record();
  std::vector<std::string> lines_{std::string(" ")};
  int room_ = 79;
  bool last_numeric_ = false;
  bool break_pending_ = false;  // a text filled its record; the next item starts a new one
};

}  // namespace gridkit
