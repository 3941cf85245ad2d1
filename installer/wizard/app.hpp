// The setup program's process-wide parts: main window, its kept drawing
// context, painter, numbered texts and component system.
#pragma once

#include <windows.h>

#include "installer/wizard/painter.hpp"
#include "installer/shell/shortcuts.hpp"
#include "installer/wizard/text_table.hpp"

namespace wizard {

struct App {
  HWND main_window = nullptr;
  HDC dc = nullptr;
  Painter painter;
  TextTable texts;
  shell::ComponentSystem components;
};

App& app();

inline constexpr char kWindowClass[] = "QVSETUP";

// The main window's procedure: painting, the step commands, shutdown.
LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Queues a wizard step as a command to the main window.
void post_step(std::uint32_t step);

}  // namespace wizard
