// The compression options the dcl command and setuppack's pack both take:
// --ascii and --dict 1024|2048|4096.
#pragma once

#include <string>

#include "gridkit/entry/options.hpp"
#include "installer/dcl/implode.hpp"

namespace dcl {

inline constexpr gridkit::AcceptedOption kAsciiOption{"--ascii", false};
inline constexpr gridkit::AcceptedOption kDictOption{"--dict"};

// The compression that `options` ask for; a window size the format does not
// know is a usage error.
inline ImplodeOptions implode_options(const gridkit::ParsedOptions& options) {
  ImplodeOptions chosen;
  if (options.has(kAsciiOption.name)) chosen.literals = LiteralCoding::ascii;
  if (const auto text = options.value(kDictOption.name)) {
    const bool digits = !text->empty() && text->size() <= 4 &&
                        text->find_first_not_of("0123456789") == std::string::npos;
    const unsigned size = digits ? static_cast<unsigned>(std::stoul(*text)) : 0;
    if (!valid_dictionary_size(size))
      throw gridkit::UsageError("--dict takes 1024, 2048 or 4096, not \"" + *text + "\"");
    chosen.dictionary_size = size;
  }
  return chosen;
}

}  // namespace dcl
