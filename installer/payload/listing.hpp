// `setuppack list`: the install header of a setup image (with the defaults
// that stand for absent records) and every record of its stream, across
// continuation files.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "installer/payload/failure.hpp"

namespace payload {

// Writes the listing to `out`, names shown with control bytes escaped.
// Returns the failure (file, record offset and what is wrong) when the
// payload is unreadable or a record is broken, after listing the records
// before it.
std::optional<Failure> list_image(const std::string& image_path, std::ostream& out);

// A Windows file time as "YYYY-MM-DD HH:MM:SS" (UTC).
std::string utc_text(std::uint64_t file_time);

}  // namespace payload
