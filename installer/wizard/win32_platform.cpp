#include "installer/wizard/win32_platform.hpp"

#include <cstring>

#include "installer/payload/header.hpp"
#include "installer/wizard/pages.hpp"
#include "installer/wizard/painter.hpp"
#include "installer/shell/shortcuts.hpp"
#include "installer/wizard/text_table.hpp"
#include "installer/wizard/wizard_state.hpp"

namespace wizard {
namespace {

// Closes a kernel handle when it goes out of scope.
struct Handle {
  HANDLE h;
  explicit Handle(HANDLE handle) : h(handle) {}
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h != INVALID_HANDLE_VALUE; }
};

}  // namespace

payload::FileRead Win32Platform::read_file(const std::string& path) {
  payload::FileRead result;
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    result.problem = "cannot be opened";
    return result;
  }
  DWORD high = 0;
  const DWORD low = GetFileSize(file.h, &high);
  if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0) {
    result.problem = "cannot be sized";
    return result;
  }
  result.bytes.resize(low);
  DWORD done = 0;
  while (done < low) {
    DWORD got = 0;
    if (!ReadFile(file.h, result.bytes.data() + done, low - done, &got, nullptr) || got == 0) break;
    done += got;
  }
  if (done < low) {
    result.bytes.clear();
    result.problem = "holds fewer bytes than its size";
    return result;
  }
  result.ok = true;
  return result;
}

void Win32Platform::create_folder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

bool Win32Platform::file_readable(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

bool Win32Platform::write_new_file(const std::string& path, std::span<const std::uint8_t> bytes) {
  bool written = false;
  {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (!file.valid()) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
      const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
      DWORD put = 0;
      if (!WriteFile(file.h, bytes.data() + done, ask, &put, nullptr) || put == 0) break;
      done += put;
    }
    written = done == bytes.size();
  }
  if (!written) DeleteFileA(path.c_str());
  return written;
}

void Win32Platform::set_last_write_time(const std::string& path, std::uint64_t file_time) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return;
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(file_time);
  time.dwHighDateTime = static_cast<DWORD>(file_time >> 32);
  SetFileTime(file.h, nullptr, nullptr, &time);
}

bool Win32Platform::library_present(const std::string& name) {
  HMODULE library = LoadLibraryA(name.c_str());
  if (library == nullptr) return false;
  FreeLibrary(library);
  return true;
}

void Win32Platform::show_progress(payload::Progress line, const std::string& path) {
  const unsigned message = line == payload::Progress::installing_file ? kInstallingText : kLoadingText;
  painter_.show_progress(dc_, texts_, message, path.c_str());
}

void Win32Platform::end_progress() { painter_.erase_progress(dc_); }

bool Win32Platform::ask_for_disk(const std::string& label, const std::string& drive, const std::string&) {
  WizardState& s = state();
  lstrcpynA(s.disk_label, label.c_str(), sizeof s.disk_label);
  lstrcpynA(s.drive_text, drive.c_str(), sizeof s.drive_text);
  return run_page(main_window_, kDiskChangePage) == kPageNext;
}

void Win32Platform::create_shortcuts(const payload::InstallHeader& header, const std::string& target_folder) {
  const WizardState& s = state();
  shell::ShortcutPlan plan;
  plan.target_folder = target_folder;
  plan.program = header.program;
  plan.description = header.description;
  plan.link_name = header.link_name;
  plan.desktop = (s.desktop_flag & 1) != 0;
  plan.start_menu = (s.start_menu_flag & 1) != 0;
  shell::create_shortcuts(plan, allocator_);
}

}  // namespace wizard
