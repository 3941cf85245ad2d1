// Console input that first serves answers given on the command line, one
// line each, then reads on from the real input.
//
// Each command-line answer is written to the transcript on its own line at
// the moment the tool reads it, just where a typed answer would stand on a
// terminal, so a log of the run shows every question with its answer.
// Answers read from the real input are not echoed (a terminal already shows
// them; a pipe or file holds them itself).
#pragma once

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace gridkit {

class AnswerSource : public std::streambuf {
 public:
  // `rest` may be null: the input then ends with the last answer.
  AnswerSource(std::vector<std::string> answers, std::streambuf* rest, std::ostream& echo)
      : answers_(std::move(answers)), rest_(rest), echo_(echo) {}

  // The answers the tool never came to read.
  std::vector<std::string> unused() const;

 protected:
  int_type underflow() override;
  int_type uflow() override;

 private:
  bool load_next_answer();

  std::vector<std::string> answers_;
  std::size_t next_ = 0;
  std::string current_;
  std::streambuf* rest_;
  std::ostream& echo_;
};

}  // namespace gridkit
