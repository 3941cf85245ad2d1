// The page engine: each page is a static table of control descriptors bound
// to variables, served by one generic dialog procedure. Pages run modally,
// owned by the main window, one at a time from the main message loop (the
// disk-change prompt may open while no other page is).
#pragma once

#include <windows.h>

#include <cstdint>

namespace wizard {

enum class ControlKind : std::uint16_t {
  end = 0,     // closes a control table
  text = 1,    // edit field or static text bound to a char buffer
  check = 3,   // check box bound to a 32-bit flag word and a mask
  button = 5,  // push button with a command callback
};

struct ControlDescriptor;

// A button's command callback; a result with bit 1 set ends the page with
// the button's id as its result.
using CommandCallback = int (*)(HWND page, const ControlDescriptor& control);

struct ControlDescriptor {
  ControlKind kind = ControlKind::end;
  std::uint16_t id = 0;
  std::uint16_t flags = 0;  // number format 0: text
  std::uint16_t state_flags = 0;
  std::int32_t width = 0;             // text: typing limit and read-back buffer size
  std::int32_t upper = 0, lower = 0;  // spin fields only; the installer has none
  void* variable = nullptr;
  std::uint32_t mask = 0;
  CommandCallback command = nullptr;
};

struct PageDescriptor {
  const ControlDescriptor* controls;
  int modeless;  // 2 = modeless; every installer page is modal
  const char* template_name;
};

// Page results.
inline constexpr int kPageNext = 1;
inline constexpr int kPageCancel = 2;
inline constexpr int kPageBack = 200;

// Command callback of the Back buttons.
int back_command(HWND page, const ControlDescriptor& control);

// Message posted to the main window for F1 and the Help menu item.
inline constexpr UINT kHelpRequest = 0x7E8;
// System-menu command of the appended "Help\tF1" item.
inline constexpr UINT kHelpCommand = 9;

// Runs a page modally over the main window and returns its result. A page
// that cannot be created counts as Cancel.
int run_page(HWND main_window, const PageDescriptor& page);

}  // namespace wizard
