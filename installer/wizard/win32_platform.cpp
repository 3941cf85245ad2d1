#include "installer/wizard/win32_platform.hpp"

#include <algorithm>
#include <cstring>

#include "installer/payload/header.hpp"
#include "installer/shell/shortcuts.hpp"
#include "installer/wizard/pages.hpp"
#include "installer/wizard/painter.hpp"
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

std::string windows_error_text(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length != 0 && text != nullptr ? std::string(text, length) : std::string();
  if (text != nullptr) LocalFree(text);
  while (!result.empty() &&
         (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    result.pop_back();
  return result.empty() ? "Windows error " + std::to_string(code) : result;
}

payload::FileRead Win32Platform::read_file(const std::string& path) {
  payload::FileRead result;
  const auto fail = [&](const std::string& step) {
    result.failure = payload::Failure{path, std::nullopt,
                                      step + " (" + windows_error_text(GetLastError()) + ")"};
    result.storage.reset();
    return result;
  };
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return fail("cannot be opened");
  DWORD high = 0;
  const DWORD low = GetFileSize(file.h, &high);
  if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0)
    return fail("cannot be sized");
  // The read fills the storage; clearing it first would only cost time.
  result.storage = payload::uncleared_storage(low);
  DWORD done = 0;
  while (done < low) {
    DWORD got = 0;
    if (!ReadFile(file.h, result.storage.get() + done, low - done, &got, nullptr) || got == 0)
      break;
    done += got;
  }
  if (done < low) return fail("holds fewer bytes than its size");
  result.size = low;
  return result;
}

void Win32Platform::create_folder(const std::string& path) {
  CreateDirectoryA(path.c_str(), nullptr);
}

bool Win32Platform::file_readable(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

std::optional<payload::Failure> Win32Platform::write_new_file(const std::string& path,
                                                              std::span<const std::uint8_t> bytes) {
  const auto fail = [&](const char* step, DWORD code) {
    return payload::Failure{path, std::nullopt,
                            std::string(step) + ": " + windows_error_text(code)};
  };
  // A new file with a unique name in the target's folder; moved over the
  // target only once it is whole, so a failure leaves an earlier file as it was.
  const std::size_t slash = path.find_last_of('\\');
  const std::string folder =
      slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  char temporary[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), "stp", 0, temporary) == 0)
    return fail("create", GetLastError());
  DWORD error = NO_ERROR;
  {
    Handle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
      error = GetLastError();
    } else {
      std::size_t done = 0;
      while (done < bytes.size()) {
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD put = 0;
        if (!WriteFile(file.h, bytes.data() + done, ask, &put, nullptr)) {
          error = GetLastError();
          break;
        }
        if (put == 0) {
          error = ERROR_WRITE_FAULT;
          break;
        }
        done += put;
      }
    }
  }
  if (error != NO_ERROR) {
    DeleteFileA(temporary);
    return fail("write", error);
  }
  if (!MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    error = GetLastError();
    DeleteFileA(temporary);
    return fail("replace", error);
  }
  return std::nullopt;
}

void Win32Platform::set_last_write_time(const std::string& path, std::uint64_t file_time) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return;
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(file_time);
  time.dwHighDateTime = static_cast<DWORD>(file_time >> 32);
  SetFileTime(file.h, nullptr, nullptr, &time);
}

bool Win32Platform::library_present(const std::string& name, const std::string&) {
  // Mapped as data, so no start-up code runs, and named by its full path in
  // the system folder: a library beside setup.exe or in the current folder
  // is never taken (a data-file load may otherwise search those folders).
  char system_folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(system_folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const std::string path = std::string(system_folder) + "\\" + name;
  HMODULE library = LoadLibraryExA(path.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library == nullptr) return false;
  FreeLibrary(library);
  return true;
}

void Win32Platform::show_progress(payload::Progress line, const std::string& path) {
  const unsigned message =
      line == payload::Progress::installing_file ? kInstallingText : kLoadingText;
  painter_.show_progress(dc_, texts_, message, path.c_str());
}

void Win32Platform::end_progress() { painter_.erase_progress(dc_); }

bool Win32Platform::ask_for_disk(const std::string& label, const std::string& drive,
                                 const std::string&) {
  lstrcpynA(wizard_.disk_label, label.c_str(), sizeof wizard_.disk_label);
  lstrcpynA(wizard_.drive_text, drive.c_str(), sizeof wizard_.drive_text);
  const bool ok = run_page(main_window_, disk_page_) == kPageNext;
  disk_cancelled_ = !ok;
  return ok;
}

void Win32Platform::create_shortcuts(const payload::InstallHeader& header,
                                     const std::string& target_folder) {
  shell::ShortcutPlan plan;
  plan.target_folder = target_folder;
  plan.program = header.program;
  plan.description = header.description;
  plan.link_name = header.link_name;
  plan.desktop = (wizard_.desktop_flag & 1) != 0;
  plan.start_menu = (wizard_.start_menu_flag & 1) != 0;
  shell::create_shortcuts(plan, allocator_);
}

}  // namespace wizard
