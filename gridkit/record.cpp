#include "gridkit/record.hpp"

#include "gridkit/numfmt.hpp"

namespace gridkit {

namespace {
constexpr int kRoom = 79;  // characters after the carriage-control blank
// Each field is built in a buffer on the stack: room for the widest (24)
// and for an integer written whole past its field.
constexpr std::size_t kFieldRoom = 32;
}  // namespace

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

void Record::numeric(std::string_view field) {
  open_pending_record();
  const int width = static_cast<int>(field.size()) + (last_numeric_ ? 1 : 0);
  if (room_ > width) {
    room_ -= width;
  } else {
    // The item opens a new record; its own blank or padding stands where
    // the carriage-control character goes.
    lines_.emplace_back();
    room_ = kRoom - width;
  }
  std::string& line = lines_.back();
  if (last_numeric_) line += ' ';
  line += field;
  last_numeric_ = true;
}

Record& Record::integer(long long value) {
  char field[kFieldRoom];
  numeric(std::string_view(field, static_cast<std::size_t>(put_free_int(field, value) - field)));
  return *this;
}

Record& Record::real(float value) {
  char field[kFieldRoom];
  numeric(std::string_view(field, static_cast<std::size_t>(put_free_real(field, value) - field)));
  return *this;
}

Record& Record::real_double(double value) {
  char field[kFieldRoom];
  numeric(std::string_view(field, static_cast<std::size_t>(put_free_double(field, value) - field)));
  return *this;
}

Record& Record::reals(std::span<const float> values) {
  for (const float v : values) real(v);
  return *this;
}

}  // namespace gridkit
