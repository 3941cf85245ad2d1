// The copy phase: runs the record stream of a loaded payload, installing its
// files into the install folder through the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "installer/payload/failure.hpp"
#include "installer/payload/header.hpp"
#include "installer/payload/platform.hpp"

namespace payload {

// What the wizard holds that the copy phase uses.
struct CopySettings {
  std::string install_folder;      // as typed; the separator is appended
  std::string owner_name;          // cut to 30 characters before personalisation
  std::string owner_firm;          // likewise
  std::uint32_t option_flag1 = 1;  // bit 0: "Install sample drawings" (condition "1")
  std::uint32_t option_flag2 = 1;  // bit 1 tested (condition "2"); nothing changes it
  std::uint32_t option_flag3 = 1;  // bit 0 tested (condition "3"); nothing changes it
};

// Runs the record stream from payload.stream_start. Returns nothing on
// success (the end record was reached and the shortcuts created), else the
// failure: the file and record offset at fault and what is wrong. Files
// installed before a failure stay; the failing record leaves no file.
std::optional<Failure> run_record_stream(const Payload& payload, const CopySettings& settings,
                                         Platform& platform);

// Cuts an owner name or firm to the characters a personalisation field takes.
std::string owner_text(const std::string& text);

// Fills the personalisation fields of a decompressed "f" image: at the first
// run of exactly 31 "~" (in a longer run, 31 bytes before its end), an empty
// string, then owner name at +32 and firm at +64, each with its zero; fields
// are cut at the end of the image. Returns false when there is no marker.
bool personalise(std::span<std::uint8_t> image, const std::string& owner_name,
                 const std::string& owner_firm);

}  // namespace payload
