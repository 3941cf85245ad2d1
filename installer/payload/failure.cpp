#include "installer/payload/failure.hpp"

namespace payload {

std::string Failure::message() const {
  std::string text = file + ": ";
  if (offset) text += "record at offset " + std::to_string(*offset) + ": ";
  return text + problem;
}

}  // namespace payload
