#include "gridkit/answer_source.hpp"

namespace gridkit {

std::vector<std::string> AnswerSource::unused() const {
  return {answers_.begin() + static_cast<std::ptrdiff_t>(next_), answers_.end()};
}

bool AnswerSource::load_next_answer() {
  if (next_ == answers_.size()) return false;
  current_ = answers_[next_++] + '\n';
  echo_ << current_;
  setg(current_.data(), current_.data(), current_.data() + current_.size());
  return true;
}

// An answer is loaded only when the tool reads past the previous one, so its
// echo follows the question the tool has just asked.
AnswerSource::int_type AnswerSource::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (load_next_answer()) return traits_type::to_int_type(*gptr());
  setg(nullptr, nullptr, nullptr);
  // Character by character from the real input: reading ahead would wait
  // for input the tool has not asked for yet.
  return rest_ ? rest_->sgetc() : traits_type::eof();
}

AnswerSource::int_type AnswerSource::uflow() {
  if (gptr() < egptr() || load_next_answer()) {
    const int_type c = traits_type::to_int_type(*gptr());
    gbump(1);
    return c;
  }
  setg(nullptr, nullptr, nullptr);
  return rest_ ? rest_->sbumpc() : traits_type::eof();
}

}  // namespace gridkit
