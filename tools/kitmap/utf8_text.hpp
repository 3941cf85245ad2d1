// Text for Cairo, which draws only valid UTF-8: a title or a file name that
// is not (typed in another encoding, or cut in the middle of a character)
// would otherwise put the drawing into an error state and leave a blank map.
#pragma once

#include <string>
#include <string_view>

namespace kitmap {

// `text` with every byte that does not begin a well-formed UTF-8 sequence,
// or lies inside a sequence broken off early, replaced by U+FFFD; valid text
// is returned unchanged. Well-formed excludes overlong forms, surrogates and
// code points above U+10FFFF.
std::string valid_utf8(std::string_view text);

}  // namespace kitmap
