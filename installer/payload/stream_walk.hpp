// Walks the record stream of a loaded payload across its continuation
// files without installing anything: what `setuppack list` shows, and how
// the packer learns which continuation files an existing image uses.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "installer/payload/failure.hpp"
#include "installer/payload/header.hpp"
#include "installer/payload/platform.hpp"
#include "installer/payload/records.hpp"

namespace payload {

struct StreamStep {
  const Record& record;  // a file, disk or end record
  std::uint64_t offset;  // its offset in `file`
  const std::string& file;
  // For a disk record that ends its buffer: the continuation file the
  // stream goes on in (it is loaded after this step); else empty.
  std::string continuation;
};

// Calls `visit` for every record up to and including the end record.
// Returns the failure that stops the walk: a broken record, a refused file
// name, a ninth disk record, or a continuation file that cannot be read or
// is empty.
std::optional<Failure> walk_stream(const Payload& payload, Platform& platform,
                                   const std::function<void(const StreamStep&)>& visit);

}  // namespace payload
