// The scanner behind every free-format read: values separated by blanks,
// tabs or commas, across as many lines as the read needs, with repeat counts
// ("361*0.0" is 361 values). One call is one read statement; the rest of the
// line holding its last value is not looked at.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace gridkit {

// Supplies the next line of the source, nullopt at its end.
using NextLine = std::function<std::optional<std::string_view>()>;
// Receives value number `index` of the read as it stands in the text.
using OnToken = std::function<void(int index, std::string_view token)>;

// Delivers `count` tokens to `on_token`; false if the source ends first.
// A malformed repeat count is handed on as the token it is, so the caller's
// number check reports it.
bool scan_free(const NextLine& next_line, int count, const OnToken& on_token);

}  // namespace gridkit
