// setup: installs the TARNIX viewer from the payload carried in its own
// image. Start-up in a fixed order, then the main message loop drives the
// wizard's steps.
#include <windows.h>

#include "installer/wizard/app.hpp"

using namespace wizard;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  App& a = app();
  a.painter.create_fonts();

  WNDCLASSA window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = main_window_procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, "STDICON");
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  window_class.lpszClassName = kWindowClass;
  if (RegisterClassA(&window_class) == 0) ExitProcess(0);

  a.painter.read_system_colours();

  char module_path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module_path, MAX_PATH);
  a.texts.set_module_path(module_path);

  a.components.start();

  a.main_window = CreateWindowExA(0, kWindowClass, a.texts.text(kCaptionText),
                                  WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 30, 30, 500, 400, nullptr,
                                  nullptr, instance, nullptr);
  if (a.main_window == nullptr) ExitProcess(0);
  a.dc = GetDC(a.main_window);
  SelectObject(a.dc, GetStockObject(DEFAULT_GUI_FONT));

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  const int show =
      (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWMAXIMIZED;
  ShowWindow(a.main_window, show);
  UpdateWindow(a.main_window);
  post_step(1);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  ExitProcess(0);
}
