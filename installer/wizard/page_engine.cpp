#include "installer/wizard/page_engine.hpp"

#include "installer/wizard/geometry.hpp"

namespace wizard {
namespace {

struct OpenPage {
  const PageDescriptor* descriptor;
  HWND window;
};

// The stack of open pages: the page below the top is disabled while the
// top one runs.
constexpr int kMaxOpenPages = 8;
OpenPage open_pages[kMaxOpenPages];
int open_count = 0;
HWND main_window_of_pages = nullptr;
HHOOK f1_hook = nullptr;

void request_help() { PostMessageA(main_window_of_pages, kHelpRequest, 0, 0); }

// Watches dialog messages while a page is open: F1 asks for help and goes
// no further.
LRESULT CALLBACK f1_filter(int code, WPARAM wparam, LPARAM lparam) {
  if (code < 0) return CallNextHookEx(f1_hook, code, wparam, lparam);
  const MSG* msg = reinterpret_cast<const MSG*>(lparam);
  if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
    request_help();
    return TRUE;
  }
  return CallNextHookEx(f1_hook, code, wparam, lparam);
}

const ControlDescriptor* find_control(const PageDescriptor& page, int id) {
  for (const ControlDescriptor* c = page.controls; c != nullptr && c->kind != ControlKind::end;
       ++c) {
    if (c->id == id) return c;
  }
  return nullptr;
}

void show_control(HWND page, const ControlDescriptor& c) {
  switch (c.kind) {
    case ControlKind::text:
      SendDlgItemMessageA(page, c.id, EM_LIMITTEXT, static_cast<WPARAM>(c.width), 0);
      SendDlgItemMessageA(page, c.id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.variable));
      break;
    case ControlKind::check:
      CheckDlgButton(
          page, c.id,
          (*static_cast<std::uint32_t*>(c.variable) & c.mask) != 0 ? BST_CHECKED : BST_UNCHECKED);
      break;
    default: break;
  }
}

// Takes a text field into its variable: at most width - 1 characters.
void take_text(HWND page, const ControlDescriptor& c) {
  SendDlgItemMessageA(page, c.id, WM_GETTEXT, static_cast<WPARAM>(c.width),
                      reinterpret_cast<LPARAM>(c.variable));
}

// Every text field is read back when the page ends with Next or Back, so a
// typed value is kept whatever brings the page down.
void take_all_texts(HWND page, const PageDescriptor& descriptor) {
  for (const ControlDescriptor* c = descriptor.controls;
       c != nullptr && c->kind != ControlKind::end; ++c) {
    if (c->kind == ControlKind::text) take_text(page, *c);
  }
}

// Set once a page has ended: the focus leaving a field while the page is
// taken down must not read it again (its text may already be gone).
bool has_ended(HWND page) { return GetWindowLongPtrA(page, GWLP_USERDATA) != 0; }

void end_page(HWND page, const PageDescriptor& descriptor, int result) {
  if (has_ended(page)) return;
  if (result == kPageNext || result == kPageBack) take_all_texts(page, descriptor);
  SetWindowLongPtrA(page, GWLP_USERDATA, 1);
  EndDialog(page, result);
}

void centre_on_main(HWND page) {
  RECT main_rect, page_rect;
  GetWindowRect(main_window_of_pages, &main_rect);
  GetWindowRect(page, &page_rect);
  const int width = page_rect.right - page_rect.left;
  const int height = page_rect.bottom - page_rect.top;
  const Point at = centred_page({main_rect.left, main_rect.top, main_rect.right, main_rect.bottom},
                                width, height);
  MoveWindow(page, at.x, at.y, width, height, FALSE);
}

void handle_command(HWND page, const PageDescriptor& descriptor, int id, int notification) {
  const ControlDescriptor* c = find_control(descriptor, id);
  if (c == nullptr) {
    if (id == IDOK)
      end_page(page, descriptor, kPageNext);
    else if (id == IDCANCEL)
      end_page(page, descriptor, kPageCancel);
    else if (id == static_cast<int>(kHelpCommand))
      request_help();
    return;
  }
  switch (c->kind) {
    case ControlKind::text:
      if (notification == EN_KILLFOCUS) take_text(page, *c);
      break;
    case ControlKind::check:
      if (notification == BN_CLICKED) {
        auto* flags = static_cast<std::uint32_t*>(c->variable);
        if (IsDlgButtonChecked(page, c->id) == BST_CHECKED)
          *flags |= c->mask;
        else
          *flags &= ~c->mask;
      }
      break;
    case ControlKind::button:
      if (notification == BN_CLICKED && c->command != nullptr && (c->command(page, *c) & 2) != 0) {
        end_page(page, descriptor, c->id);
      }
      break;
    default: break;
  }
}

INT_PTR CALLBACK page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* descriptor = reinterpret_cast<const PageDescriptor*>(GetWindowLongPtrA(page, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      descriptor = reinterpret_cast<const PageDescriptor*>(lparam);
      SetWindowLongPtrA(page, DWLP_USER, lparam);
      if (open_count > 0) open_pages[open_count - 1].window = page;
      for (const ControlDescriptor* c = descriptor->controls;
           c != nullptr && c->kind != ControlKind::end; ++c) {
        show_control(page, *c);
      }
      centre_on_main(page);
      AppendMenuA(GetSystemMenu(page, FALSE), MF_STRING, kHelpCommand, "Help\tF1");
      return TRUE;
    }
    case WM_COMMAND:
      if (descriptor != nullptr && !has_ended(page)) {
        handle_command(page, *descriptor, LOWORD(wparam), HIWORD(wparam));
      }
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_CLOSE) {
        if (descriptor != nullptr) end_page(page, *descriptor, kPageCancel);
        return TRUE;
      }
      if (wparam == kHelpCommand) {
        request_help();
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      // Repainted at once, so that a progress box drawn next (the copy phase
      // after the options page) is not painted over by a late repaint.
      RedrawWindow(main_window_of_pages, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

int back_command(HWND, const ControlDescriptor&) { return 2; }

int run_page(HWND main_window, const PageDescriptor& page) {
  if (open_count == kMaxOpenPages) return kPageCancel;
  main_window_of_pages = main_window;
  HWND previous = open_count > 0 ? open_pages[open_count - 1].window : nullptr;
  open_pages[open_count++] = {&page, nullptr};
  if (previous != nullptr) EnableWindow(previous, FALSE);
  f1_hook = SetWindowsHookExA(WH_MSGFILTER, f1_filter, nullptr, GetCurrentThreadId());
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), page.template_name, main_window,
                                         page_procedure, reinterpret_cast<LPARAM>(&page));
  if (f1_hook != nullptr) UnhookWindowsHookEx(f1_hook);
  f1_hook = nullptr;
  --open_count;
  if (previous != nullptr) {
    EnableWindow(previous, TRUE);
    SetFocus(previous);
    f1_hook = SetWindowsHookExA(WH_MSGFILTER, f1_filter, nullptr, GetCurrentThreadId());
  }
  return result <= 0 ? kPageCancel : static_cast<int>(result);
}

}  // namespace wizard
