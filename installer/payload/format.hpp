// Byte layout of the install payload that the setup image carries.
//
// Format notes (all integers little-endian, no field aligned, strings are
// single-byte text ending in one zero byte):
// - The 32-bit value at byte 28 of the setup image is the file offset of the
//   install header; the payload runs from there to the end of the file.
// - Install header: up to five optional records, always in the order P, X,
//   S, L, M. P, X, S and L are the letter, one separator byte (skipped; "."
//   when we write it) and a string of at most 259 characters. M is the letter
//   and one value byte. Each letter is tested once, in that order; anything
//   else starts the record stream.
// - Record stream: a kind byte, then
//     "F"/"f" file: condition byte, name string, last-write time (low and high
//             32 bits of a Windows file time), uncompressed size, compressed
//             size, then that many bytes of one implode stream. "f" images are
//             personalised before they are written.
//     "N"     disk: separator byte, label string of at most 63 characters. The
//             continuation character ("1" at first) goes up by one; when the
//             record ends its buffer, the stream goes on in "<char>.DAT" beside
//             the setup image.
//     "E"     end (we write "E", "." and a zero byte; only the "E" is read).
//   Any other kind byte fails the install; so does running off the end of a
//   buffer, whose byte after the data reads as kind 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace payload {

inline constexpr std::size_t kOffsetField = 28;       // where the payload offset sits
inline constexpr std::size_t kMaxName = 259;          // characters of a file name or header string
inline constexpr std::size_t kMaxLabel = 63;          // characters of a disk label
inline constexpr std::size_t kMaxFileSize = 2097152;  // the output area: 2 MiB per file
inline constexpr std::size_t kMaxDisks = 8;           // "2.DAT" up to "9.DAT"
inline constexpr std::size_t kFileFieldsSize = 16;    // time low, time high, sizes
inline constexpr std::size_t kPersonalRun = 31;       // "~" bytes of the personalisation marker
inline constexpr std::size_t kPersonalField = 32;     // bytes of each personalisation field
inline constexpr std::size_t kMaxOwnerText = 30;      // owner name and firm are cut to this
inline constexpr char kSeparator = '.';               // separator byte we write

// Header record letters, in the only order they are recognised.
inline constexpr char kFolderRecord = 'P';
inline constexpr char kProgramRecord = 'X';
inline constexpr char kDescriptionRecord = 'S';
inline constexpr char kLinkRecord = 'L';
inline constexpr char kModeRecord = 'M';

// Values in force when a header record is absent.
inline constexpr std::string_view kDefaultFolder = "C:\\PLNT32";
inline constexpr std::string_view kDefaultProgram = "PLW32.EXE";
inline constexpr std::string_view kDefaultDescription = "Plinthe";
inline constexpr std::string_view kDefaultLink = "Plinthe.LNK";

// Record kinds.
inline constexpr char kFileRecord = 'F';
inline constexpr char kPersonalFileRecord = 'f';
inline constexpr char kDiskRecord = 'N';
inline constexpr char kEndRecord = 'E';

// Condition codes of a file record.
inline constexpr char kAlways = '.';
inline constexpr char kOptionOne = '1';      // bit 0 of option flag 1 ("Install sample drawings")
inline constexpr char kOptionTwo = '2';      // bit 1 of option flag 2
inline constexpr char kOptionThree = '3';    // bit 0 of option flag 3
inline constexpr char kUpdateOnly = '=';     // a readable file of that name is already installed
inline constexpr char kUnlessLibrary = '?';  // the system cannot load a library of that name

// True for the six condition codes above (any other code never installs).
constexpr bool known_condition(char code) {
  return code == kAlways || code == kOptionOne || code == kOptionTwo || code == kOptionThree ||
         code == kUpdateOnly || code == kUnlessLibrary;
}

// Windows file time of 1 January 1970 00:00 UTC (100 ns ticks since 1601).
inline constexpr std::uint64_t kUnixEpochFileTime = 116444736000000000ULL;

}  // namespace payload
