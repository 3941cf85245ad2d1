// Notes: lines for the user on standard error that are not errors (a name
// cut to its field, a header value corrected, a byte-order mark skipped, why
// a relaxation stopped). The console transcript and the files never carry
// them, so piped dialogues and their outputs stay as they were.
#pragma once

#include <string>
#include <string_view>

namespace gridkit {

// Writes `text` and a line end to standard error, or to the capture below.
void note(std::string_view text);

// While one lives, notes are collected here instead of going to standard
// error: how a tool run in-process keeps its notes apart.
class NoteCapture {
 public:
  NoteCapture();
  ~NoteCapture();
  // Each capture is one link in the chain back to the outer one: a copy
  // would restore the chain twice.
  NoteCapture(const NoteCapture&) = delete;
  NoteCapture& operator=(const NoteCapture&) = delete;
  const std::string& text() const { return text_; }

 private:
  friend void note(std::string_view text);
  std::string text_;
  NoteCapture* outer_;
};

}  // namespace gridkit
