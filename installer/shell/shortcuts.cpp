#include "installer/shell/shortcuts.hpp"

#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

namespace shell {
namespace {

// Folders of the two Windows layouts, relative to the Windows folder.
struct LegacyFolders {
  const char* desktop;
  const char* start_menu;
};
constexpr LegacyFolders kWindows9x{"Desktop\\", "Start Menu\\Programs\\"};
constexpr LegacyFolders kWindowsNt{"Profiles\\All Users\\Desktop\\",
                                   "Profiles\\All Users\\Start Menu\\Programs\\"};

std::string windows_folder() {
  char buffer[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
  std::string folder(buffer, length < MAX_PATH ? length : 0);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

bool folder_exists(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The legacy folder when it exists, else the shell's folder for the user.
std::string link_folder(const std::string& legacy, int shell_folder) {
  if (folder_exists(legacy)) return legacy;
  char buffer[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, shell_folder | CSIDL_FLAG_CREATE, nullptr,
                              SHGFP_TYPE_CURRENT, buffer))) {
    return legacy;
  }
  std::string folder(buffer);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

void ComponentSystem::start() {
  const DWORD version = OleBuildVersion();
  if (HIWORD(version) != 23 || LOWORD(version) < 639) return;
  if (FAILED(OleInitialize(nullptr))) return;
  initialised_ = true;
  if (FAILED(CoGetMalloc(1, &allocator_))) allocator_ = nullptr;
}

void ComponentSystem::stop() {
  if (allocator_ != nullptr) allocator_->Release();
  allocator_ = nullptr;
  if (initialised_) OleUninitialize();
  initialised_ = false;
}

bool create_shortcut(const std::string& target, const std::string& link_path,
                     const std::string& description, const std::string& working_folder,
                     IMalloc* allocator) {
  if (allocator == nullptr) return false;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  bool saved = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->SetPath(target.c_str())) &&
      SUCCEEDED(link->SetWorkingDirectory(working_folder.c_str())) &&
      SUCCEEDED(link->SetDescription(description.c_str())) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    // The wide path is as long as the link path needs.
    const int characters = MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, nullptr, 0);
    auto* wide = characters > 0
                     ? static_cast<wchar_t*>(allocator->Alloc(static_cast<SIZE_T>(characters) * 2))
                     : nullptr;
    if (wide != nullptr) {
      if (MultiByteToWideChar(CP_ACP, 0, link_path.c_str(), -1, wide, characters) == characters) {
        saved = SUCCEEDED(file->Save(wide, TRUE));
      }
      allocator->Free(wide);
    }
    file->Release();
  }
  link->Release();
  return saved;
}

void create_shortcuts(const ShortcutPlan& plan, IMalloc* allocator) {
  const bool windows_9x = (GetVersion() & 0x80000000u) != 0;
  const LegacyFolders& legacy = windows_9x ? kWindows9x : kWindowsNt;
  const std::string windows = windows_folder();
  const std::string target = plan.target_folder + plan.program;
  if (plan.desktop) {
    const std::string folder = link_folder(windows + legacy.desktop, CSIDL_DESKTOPDIRECTORY);
    create_shortcut(target, folder + plan.link_name, plan.description, plan.target_folder,
                    allocator);
  }
  if (plan.start_menu) {
    const std::string folder = link_folder(windows + legacy.start_menu, CSIDL_PROGRAMS);
    create_shortcut(target, folder + plan.link_name, plan.description, plan.target_folder,
                    allocator);
  }
}

}  // namespace shell
