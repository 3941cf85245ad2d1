// The copy phase's platform on Windows: kernel file calls, the progress box
// on the main window, the disk-change page and the shell's shortcuts.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "installer/payload/platform.hpp"

namespace wizard {

class Painter;
class TextTable;
struct PageDescriptor;
struct WizardState;

// The system's text for a Windows error code ("There is not enough space on
// the disk."), without its line end; the code's number when it has none.
std::string windows_error_text(DWORD code);

class Win32Platform final : public payload::Platform {
 public:
  // `wizard` receives the disk prompt's texts and gives the shortcut choices;
  // `disk_page` is the prompt.
  Win32Platform(HWND main_window, HDC dc, Painter& painter, const TextTable& texts,
                IMalloc* allocator, WizardState& wizard, const PageDescriptor& disk_page)
      : main_window_(main_window),
        dc_(dc),
        painter_(painter),
        texts_(texts),
        allocator_(allocator),
        wizard_(wizard),
        disk_page_(disk_page) {}

  char separator() const override { return '\\'; }
  payload::FileRead read_file(const std::string& path) override;
  void create_folder(const std::string& path) override;
  bool file_readable(const std::string& path) override;
  std::optional<payload::Failure> write_new_file(const std::string& path,
                                                 std::span<const std::uint8_t> bytes) override;
  void set_last_write_time(const std::string& path, std::uint64_t file_time) override;
  bool library_present(const std::string& name, const std::string& install_folder) override;
  void show_progress(payload::Progress line, const std::string& path) override;
  void end_progress() override;
  bool ask_for_disk(const std::string& label, const std::string& drive,
                    const std::string& path) override;
  void create_shortcuts(const payload::InstallHeader& header,
                        const std::string& target_folder) override;

  // True once the user has answered the disk-change prompt with Cancel.
  bool disk_cancelled() const { return disk_cancelled_; }

 private:
  HWND main_window_;
  HDC dc_;
  Painter& painter_;
  const TextTable& texts_;
  IMalloc* allocator_;
  WizardState& wizard_;
  const PageDescriptor& disk_page_;
  bool disk_cancelled_ = false;
};

}  // namespace wizard
