// The copy phase's platform on Windows: kernel file calls, the progress box
// on the main window, the disk-change page and the shell's shortcuts.
#pragma once

#include <windows.h>

#include "installer/payload/platform.hpp"

namespace wizard {

class Painter;
class TextTable;

class Win32Platform final : public payload::Platform {
 public:
  Win32Platform(HWND main_window, HDC dc, Painter& painter, const TextTable& texts, IMalloc* allocator)
      : main_window_(main_window), dc_(dc), painter_(painter), texts_(texts), allocator_(allocator) {}

  char separator() const override { return '\\'; }
  payload::FileRead read_file(const std::string& path) override;
  void create_folder(const std::string& path) override;
  bool file_readable(const std::string& path) override;
  bool write_new_file(const std::string& path, std::span<const std::uint8_t> bytes) override;
  void set_last_write_time(const std::string& path, std::uint64_t file_time) override;
  bool library_present(const std::string& name) override;
  void show_progress(payload::Progress line, const std::string& path) override;
  void end_progress() override;
  bool ask_for_disk(const std::string& label, const std::string& drive, const std::string& path) override;
  void create_shortcuts(const payload::InstallHeader& header, const std::string& target_folder) override;

 private:
  HWND main_window_;
  HDC dc_;
  Painter& painter_;
  const TextTable& texts_;
  IMalloc* allocator_;
};

}  // namespace wizard
