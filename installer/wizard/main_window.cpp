// The main window: backdrop painting, the step commands and shutdown.
#include "installer/wizard/app.hpp"

namespace wizard {

void run_step(std::uint32_t step);

App& app() {
  static App instance;
  return instance;
}

namespace {

void release(HWND window) {
  App& a = app();
  if (a.dc != nullptr) ReleaseDC(window, a.dc);
  a.dc = nullptr;
  a.components.stop();
}

}  // namespace

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  App& a = app();
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      a.painter.paint_backdrop(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_SIZE: a.painter.take_client_rect(window); return 0;
    case WM_COMMAND:
      if (lparam == 0) {
        run_step(LOWORD(wparam));
        return 0;
      }
      break;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY:
      release(window);
      PostQuitMessage(0);
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      if (wparam) release(window);
      return 0;
    case WM_PALETTECHANGED:
      if (reinterpret_cast<HWND>(wparam) != window) a.painter.mark_palette_stale();
      return 0;
    case WM_QUERYNEWPALETTE:
      a.painter.mark_palette_stale();
      InvalidateRect(window, nullptr, FALSE);
      return TRUE;
    default: break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace wizard
