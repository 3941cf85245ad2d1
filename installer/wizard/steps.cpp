// The wizard's step table. Each step is a command posted to the main
// window, so every page runs from the main message loop, never nested.
#include <string>

#include "installer/payload/copy_phase.hpp"
#include "installer/shell/registry.hpp"
#include "installer/wizard/app.hpp"
#include "installer/wizard/win32_platform.hpp"

namespace wizard {
namespace {

enum Step : std::uint32_t {
  kEnd = 0,
  kWelcome = 1,
  kUser = 2,
  kDirectory = 3,
  kOptions = 4,
  kCopy = 5,
  kTerminated = 6,
  kTerminatedToo = 7,
};

// Next goes one step on, Cancel to the termination page, Back one step back.
void move_on(int result) {
  WizardState& wizard = app().wizard;
  if (result == kPageNext)
    post_step(++wizard.step);
  else if (result == kPageCancel)
    post_step(kTerminated);
  else
    post_step(--wizard.step);
}

// Loads the install header and the owner defaults. An unreadable payload
// is named in a message box and the install ends on the termination page.
bool start_over() {
  App& a = app();
  WizardState& wizard = a.wizard;
  Win32Platform platform(a.main_window, a.dc, a.painter, a.texts, a.components.allocator(), wizard,
                         a.pages.disk_change);
  payload::LoadResult loaded = payload::load_install_header(platform, a.texts.text(kModulePathText),
                                                            a.texts.text(kSourceFolderText));
  wizard.payload = std::move(loaded.payload);
  wizard.payload_readable = !loaded.failure.has_value();
  lstrcpynA(wizard.install_folder, wizard.payload.header.install_folder.c_str(),
            sizeof wizard.install_folder);
  if (!wizard.payload_readable) {
    const std::string message = "The install data of " +
                                std::string(a.texts.text(kModulePathText)) + " cannot be read:\n" +
                                loaded.failure->message();
    MessageBoxA(a.main_window, message.c_str(), a.texts.text(kCaptionText), MB_OK | MB_ICONSTOP);
    return false;
  }
  shell::read_owner_defaults(wizard.owner_name, wizard.owner_firm);
  wizard.step = kWelcome;
  return true;
}

// Runs the copy phase; a failure is named in a message box (record, file
// and the system's reason) before the termination page, unless it is the
// user's own Cancel on the disk-change prompt.
bool copy_files() {
  App& a = app();
  WizardState& wizard = a.wizard;
  Win32Platform platform(a.main_window, a.dc, a.painter, a.texts, a.components.allocator(), wizard,
                         a.pages.disk_change);
  // The copy phase is portable and takes its settings as values of its own;
  // the pages keep theirs in the fixed buffers the controls are bound to.
  payload::CopySettings settings;
  settings.install_folder = wizard.install_folder;
  settings.owner_name = wizard.owner_name;
  settings.owner_firm = wizard.owner_firm;
  settings.option_flag1 = wizard.option_flag1;
  settings.option_flag2 = wizard.option_flag2;
  settings.option_flag3 = wizard.option_flag3;
  const std::optional<payload::Failure> failure =
      payload::run_record_stream(wizard.payload, settings, platform);
  if (!failure) return true;
  if (platform.disk_cancelled()) return false;
  const std::string message = "The installation cannot go on:\n" + failure->message();
  MessageBoxA(a.main_window, message.c_str(), a.texts.text(kCaptionText), MB_OK | MB_ICONSTOP);
  return false;
}

}  // namespace

void post_step(std::uint32_t step) { PostMessageA(app().main_window, WM_COMMAND, step, 0); }

void run_step(std::uint32_t step) {
  App& a = app();
  HWND main = a.main_window;
  WizardState& wizard = a.wizard;
  switch (step) {
    case kEnd: DestroyWindow(main); break;
    case kWelcome:
      if (!start_over()) {
        post_step(kTerminated);
        break;
      }
      move_on(run_page(main, a.pages.welcome));
      break;
    case kUser: move_on(run_page(main, a.pages.user)); break;
    case kDirectory: move_on(run_page(main, a.pages.install_directory)); break;
    case kOptions: move_on(run_page(main, a.pages.options)); break;
    case kCopy:
      if (copy_files()) {
        run_page(main, a.pages.success);
        shell::record_settings(wizard.owner_name, wizard.owner_firm, wizard.install_folder);
        shell::delete_removal_list(wizard.install_folder);
      } else {
        run_page(main, a.pages.terminated);
      }
      post_step(kEnd);
      break;
    case kTerminated:
    case kTerminatedToo:
      run_page(main, a.pages.terminated);
      post_step(kEnd);
      break;
    default: break;
  }
}

}  // namespace wizard
