// The driver's look at files, registry values and shortcut files.
#include <objbase.h>
#include <shlobj.h>

#include "installer/wizard/tests/driver/driver.hpp"

namespace driver {

std::vector<std::uint8_t> file_bytes(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  bytes.resize(got);
  CloseHandle(file);
  return bytes;
}

bool file_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FILETIME last_write_time(const std::string& path) {
  FILETIME time{};
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    GetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
  }
  return time;
}

void write_file(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
  CloseHandle(file);
}

void remove_tree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      DeleteFileA((folder + "\\" + name).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

void clear_registry() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kOwnKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kSetupInfoKey);
}

void set_value(const char* key_path, const char* name, const std::string& value) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

bool read_value(const char* key_path, const char* name, std::string& value) {
  char buffer[1024] = {};
  DWORD size = sizeof buffer;
  DWORD type = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, key_path, name, RRF_RT_ANY, &type, buffer, &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  value.assign(buffer, size > 0 ? size - 1 : 0);
  return type == REG_SZ;
}

int value_count(const char* key_path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return static_cast<int>(values);
}

namespace {

std::string shell_folder(int id) {
  char buffer[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, buffer);
  return std::string(buffer) + "\\";
}

}  // namespace

std::string desktop_folder() { return shell_folder(CSIDL_DESKTOPDIRECTORY); }
std::string programs_folder() { return shell_folder(CSIDL_PROGRAMS); }

bool read_link(const std::string& link_path, Link& link) {
  IShellLinkA* shell_link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shell_link)))) {
    return false;
  }
  bool ok = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(file->Load(wide, STGM_READ))) {
      char text[MAX_PATH] = {};
      shell_link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
      link.path = text;
      shell_link->GetWorkingDirectory(text, MAX_PATH);
      link.working_folder = text;
      shell_link->GetDescription(text, MAX_PATH);
      link.description = text;
      ok = true;
    }
    file->Release();
  }
  shell_link->Release();
  return ok;
}

}  // namespace driver
