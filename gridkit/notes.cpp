#include "gridkit/notes.hpp"

#include <iostream>

namespace gridkit {

namespace {
NoteCapture* active_capture = nullptr;  // innermost capture; nullptr: standard error
}  // namespace

void note(std::string_view text) {
  if (active_capture != nullptr) {
    active_capture->text_.append(text);
    active_capture->text_ += '\n';
    return;
  }
  std::cerr << text << '\n';
}

NoteCapture::NoteCapture() : outer_(active_capture) { active_capture = this; }

NoteCapture::~NoteCapture() { active_capture = outer_; }

}  // namespace gridkit
