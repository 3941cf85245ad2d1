#include "gridkit/record.hpp"

#include "gridkit/numfmt.hpp"

namespace gridkit {

namespace {
constexpr int kRoom = 79;  // characters after the carriage-control blank
}

void Record::open_pending_record() {
  if (!break_pending_) return;
  lines_.emplace_back(" ");
  room_ = kRoom;
  break_pending_ = false;
}

Record& Record::text(std::string_view text) {
  open_pending_record();
  while (room_ <= static_cast<int>(text.size())) {
    // Fill the room left; the rest continues on a new record.
    lines_.back() += text.substr(0, static_cast<std::size_t>(room_));
    text.remove_prefix(static_cast<std::size_t>(room_));
    break_pending_ = true;
    if (text.empty()) break;
    open_pending_record();
  }
  if (!text.empty()) {
    lines_.back() += text;
    room_ -= static_cast<int>(text.size());
  }
  last_numeric_ = false;
  return *this;
}

void Record::numeric(const std::string& field) {
  open_pending_record();
  const std::string piece = last_numeric_ ? " " + field : field;
  const int width = static_cast<int>(piece.size());
  if (room_ > width) {
    lines_.back() += piece;
    room_ -= width;
  } else {
    // The item opens a new record; its own blank or padding stands where
    // the carriage-control character goes.
    lines_.push_back(piece);
    room_ = kRoom - width;
  }
  last_numeric_ = true;
}

Record& Record::integer(long long value) {
  numeric(free_int_field(value));
  return *this;
}

Record& Record::real(float value) {
  numeric(free_real_field(value));
  return *this;
}

Record& Record::real_double(double value) {
  numeric(free_double_field(value));
  return *this;
}

Record& Record::reals(std::span<const float> values) {
  for (const float v : values) real(v);
  return *this;
}

}  // namespace gridkit
