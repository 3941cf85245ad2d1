// The setup program's process-wide parts: main window, its kept drawing
// context, painter, numbered texts, component system, and the wizard's
// state with the pages bound to it.
#pragma once

#include <windows.h>

#include "installer/shell/shortcuts.hpp"
#include "installer/wizard/pages.hpp"
#include "installer/wizard/painter.hpp"
#include "installer/wizard/text_table.hpp"
#include "installer/wizard/wizard_state.hpp"

namespace wizard {

struct App {
  HWND main_window = nullptr;
  HDC dc = nullptr;
  Painter painter;
  TextTable texts;
  shell::ComponentSystem components;
  WizardState wizard;
  Pages pages{wizard};
};

App& app();

inline constexpr char kWindowClass[] = "QVSETUP";

// The main window's procedure: painting, the step commands, shutdown.
LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Queues a wizard step as a command to the main window.
void post_step(std::uint32_t step);

}  // namespace wizard
