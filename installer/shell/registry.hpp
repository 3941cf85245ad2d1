// The installer's registry values under HKEY_CURRENT_USER: owner defaults
// read at the first step, and the seven values recorded after a completed
// install. Keys are always opened through the create call, so a key that is
// read is created empty if it is missing. Failures are ignored.
#pragma once

namespace shell {

inline constexpr char kOwnKey[] = "Software\\Quorvane\\TARNIX";
inline constexpr char kSetupInfoKey[] = "Software\\Microsoft\\MS Setup (ACME)\\User Info";

// Reads OwnerName (then DefName while the name is still empty) and
// OwnerFirm (then DefCompany while the firm is still empty) into the two
// 128-byte buffers; a value that is missing leaves its buffer as it was.
void read_owner_defaults(char* owner_name, char* owner_firm);

// Writes OwnerName, OwnerFirm (each cut to 30 characters), AppPath (the
// install folder as typed) and empty WorkingDrawing, InsertDrawing,
// NewDrawingTemplate and DefaultMenu, in that order.
void record_settings(const char* owner_name, const char* owner_firm, const char* install_folder);

// Deletes the files of the removal list from the install folder; a file
// that is not there is no error.
void delete_removal_list(const char* install_folder);

}  // namespace shell
