#include "installer/shell/registry.hpp"

#include <windows.h>

#include <cstring>
#include <string>

namespace shell {
namespace {

// The access every key is opened with (0x2F): a key that is only read is
// still opened through the create call, so it needs the create rights too.
constexpr REGSAM kAccess =
    KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_CREATE_LINK;
static_assert(kAccess == 0x2F);
constexpr DWORD kReadSize = 64;
constexpr std::size_t kOwnerLimit = 30;

// Queries one string value into `buffer` (which holds at least 64 bytes).
// Only a value that was read whole replaces the buffer, and it always ends
// with its zero.
void read_value(const char* key_path, const char* name, char* buffer) {
  HKEY key;
  DWORD disposition;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_path, 0, nullptr, 0, kAccess, nullptr, &key,
                      &disposition) != ERROR_SUCCESS) {
    return;
  }
  char value[kReadSize] = {};
  DWORD size = kReadSize;
  DWORD type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
          ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    value[kReadSize - 1] = '\0';
    std::memcpy(buffer, value, kReadSize);
  }
  RegCloseKey(key);
}

void write_value(HKEY key, const char* name, const std::string& data) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
}

}  // namespace

void read_owner_defaults(char* owner_name, char* owner_firm) {
  read_value(kOwnKey, "OwnerName", owner_name);
  if (owner_name[0] == '\0') read_value(kSetupInfoKey, "DefName", owner_name);
  read_value(kOwnKey, "OwnerFirm", owner_firm);
  if (owner_firm[0] == '\0') read_value(kSetupInfoKey, "DefCompany", owner_firm);
}

void record_settings(const char* owner_name, const char* owner_firm, const char* install_folder) {
  HKEY key;
  DWORD disposition;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kOwnKey, 0, nullptr, 0, kAccess, nullptr, &key,
                      &disposition) != ERROR_SUCCESS) {
    return;
  }
  write_value(key, "OwnerName", std::string(owner_name).substr(0, kOwnerLimit));
  write_value(key, "OwnerFirm", std::string(owner_firm).substr(0, kOwnerLimit));
  write_value(key, "AppPath", install_folder);
  for (const char* name :
       {"WorkingDrawing", "InsertDrawing", "NewDrawingTemplate", "DefaultMenu"}) {
    write_value(key, name, "");
  }
  RegCloseKey(key);
}

void delete_removal_list(const char* install_folder) {
  for (const char* name : {"\\RUMB4K.DLL", "\\PLWDWG.XP", "\\YORLQ.DLL", "\\YORLQ.TXT"}) {
    DeleteFileA((std::string(install_folder) + name).c_str());
  }
}

}  // namespace shell
