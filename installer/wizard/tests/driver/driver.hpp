// setupdriver: works setup.exe under Wine as a person would, through its
// pages, and checks what it leaves behind. Helpers shared by the scenarios.
#pragma once

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace driver {

// A step that cannot go on (a page that never appears); ends the scenario.
struct Stuck : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Records a failed check without ending the scenario.
void check(bool ok, const std::string& what);
int failures();

// Where things are, all as Windows paths.
struct Places {
  std::string sample_dir;   // the packed image and 2.DAT
  std::string samples_src;  // samples/setup of the source tree
  std::string trnx_exe;     // the built viewer, before personalisation
  std::string artefacts;    // screenshots go here
};

// ---- working the setup program
class Setup {
 public:
  explicit Setup(const std::string& image);
  ~Setup();
  HWND main_window();
  // Waits for the exit of the program; false after 30 s.
  bool finished();
  DWORD exit_code() const { return exit_code_; }

 private:
  PROCESS_INFORMATION process_{};
  DWORD exit_code_ = 259;
};

HWND wait_page(const char* caption);
void wait_closed(HWND page);
void click(HWND page, int id);
void set_text(HWND page, int id, const std::string& text);
std::string get_text(HWND page, int id);
bool is_checked(HWND page, int id);
// Clicks the page's button and waits for the page to go.
void press(HWND page, int id);
// Sends the button's command to the page without a click, so the keyboard
// focus stays where it is, and waits for the page to go.
void command(HWND page, int id);
// Types keys into whatever has the keyboard focus.
void type_text(const std::string& text);
void type_key(WORD virtual_key);

// ---- what the install leaves behind
std::vector<std::uint8_t> file_bytes(const std::string& path);
bool file_exists(const std::string& path);
FILETIME last_write_time(const std::string& path);
void write_file(const std::string& path, const std::string& text);
void remove_tree(const std::string& folder);

inline constexpr char kOwnKey[] = "Software\\Quorvane\\TARNIX";
inline constexpr char kSetupInfoKey[] = "Software\\Microsoft\\MS Setup (ACME)\\User Info";
void clear_registry();
void set_value(const char* key, const char* name, const std::string& value);
// The value, or nothing when it is missing.
bool read_value(const char* key, const char* name, std::string& value);
int value_count(const char* key);

std::string desktop_folder();
std::string programs_folder();
struct Link {
  std::string path, working_folder, description;
};
bool read_link(const std::string& link_path, Link& link);

// ---- the screen
struct Screen {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
Screen capture_screen();
void save_bmp(const Screen& screen, const std::string& path);

}  // namespace driver
