// The words after a subcommand's name: file names in order, and options that
// each take one value, given as the next word or after "=" ("--layer 2",
// "--layer=2"). "--help" (or "-h") anywhere asks for the command's help;
// after "--" every word is a name. An option the command does not take, one
// without its value or one given twice is an error naming it.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kitmodel {

class Words {
 public:
  static Words split(std::span<const std::string> args, std::string_view command,
                     std::initializer_list<std::string_view> options);

  std::vector<std::string> names;
  bool help = false;

  // The option's value, when given.
  std::optional<std::string> value(std::string_view option) const;
  // The option's value as a whole number of 1 or more, when given; any other
  // value is an error naming the option.
  std::optional<int> positive(std::string_view option) const;

 private:
  std::string command_;
  std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace kitmodel
