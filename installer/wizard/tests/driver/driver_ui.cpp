#include "installer/wizard/tests/driver/driver.hpp"

#include <cstdio>

namespace driver {
namespace {

int failed_checks = 0;
constexpr DWORD kPatienceMs = 30000;

}  // namespace

void check(bool ok, const std::string& what) {
  if (!ok) {
    ++failed_checks;
    std::printf("    FAIL: %s\n", what.c_str());
  }
}

int failures() { return failed_checks; }

Setup::Setup(const std::string& image) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command = "\"" + image + "\"";
  if (!CreateProcessA(image.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process_)) {
    throw Stuck("cannot start " + image);
  }
}

Setup::~Setup() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

HWND Setup::main_window() {
  for (DWORD waited = 0; waited < kPatienceMs; waited += 50) {
    HWND window = FindWindowA("QVSETUP", nullptr);
    if (window != nullptr) return window;
    Sleep(50);
  }
  throw Stuck("the main window never appeared");
}

bool Setup::finished() {
  if (WaitForSingleObject(process_.hProcess, kPatienceMs) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_.hProcess, &exit_code_);
  return true;
}

HWND wait_page(const char* caption) {
  for (DWORD waited = 0; waited < kPatienceMs; waited += 50) {
    HWND page = FindWindowA("#32770", caption);
    if (page != nullptr && IsWindowVisible(page) && IsWindowEnabled(page)) {
      Sleep(150);  // let the page finish its first painting
      return page;
    }
    Sleep(50);
  }
  throw Stuck(std::string("page \"") + caption + "\" never appeared");
}

void wait_closed(HWND page) {
  for (DWORD waited = 0; waited < kPatienceMs; waited += 50) {
    if (!IsWindow(page)) return;
    Sleep(50);
  }
  throw Stuck("a page did not close");
}

void click(HWND page, int id) {
  HWND control = GetDlgItem(page, id);
  if (control == nullptr) throw Stuck("no control " + std::to_string(id) + " on the page");
  PostMessageA(control, BM_CLICK, 0, 0);
}

void press(HWND page, int id) {
  click(page, id);
  wait_closed(page);
}

void command(HWND page, int id) {
  PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
  wait_closed(page);
}

void set_text(HWND page, int id, const std::string& text) {
  SendDlgItemMessageA(page, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string get_text(HWND page, int id) {
  char buffer[512] = {};
  SendDlgItemMessageA(page, id, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

bool is_checked(HWND page, int id) {
  return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void type_key(WORD virtual_key) {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = virtual_key;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
  Sleep(30);
}

void type_text(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    const bool shift = (scan & 0x100) != 0;
    if (shift) {
      INPUT down{};
      down.type = INPUT_KEYBOARD;
      down.ki.wVk = VK_SHIFT;
      SendInput(1, &down, sizeof down);
    }
    type_key(static_cast<WORD>(scan & 0xFF));
    if (shift) {
      INPUT up{};
      up.type = INPUT_KEYBOARD;
      up.ki.wVk = VK_SHIFT;
      up.ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(1, &up, sizeof up);
    }
  }
  Sleep(100);
}

Screen capture_screen() {
  Screen screen;
  screen.width = GetSystemMetrics(SM_CXSCREEN);
  screen.height = GetSystemMetrics(SM_CYSCREEN);
  HDC display = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(display);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = screen.width;
  info.bmiHeader.biHeight = -screen.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(display, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, screen.width, screen.height, display, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  screen.pixels.assign(p, p + static_cast<std::size_t>(screen.width) * screen.height);
  for (auto& pixel : screen.pixels) pixel &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, display);
  return screen;
}

void save_bmp(const Screen& screen, const std::string& path) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  const DWORD data_size = static_cast<DWORD>(screen.pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + data_size;
  info.biSize = sizeof info;
  info.biWidth = screen.width;
  info.biHeight = -screen.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD put;
  WriteFile(out, &file, sizeof file, &put, nullptr);
  WriteFile(out, &info, sizeof info, &put, nullptr);
  WriteFile(out, screen.pixels.data(), data_size, &put, nullptr);
  CloseHandle(out);
}

}  // namespace driver
