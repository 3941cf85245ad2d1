// The scenarios the Wine run works through, each a whole run of setup.exe
// from its first page to its exit, with the checks of what it left behind.
//
//   setupdriver SAMPLE_DIR SAMPLES_SRC TRNX_EXE ARTEFACTS [SCENARIO...]
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

#include <objbase.h>

#include "installer/dcl/implode.hpp"
#include "installer/payload/encode.hpp"
#include "installer/wizard/tests/driver/driver.hpp"
#include "installer/wizard/tests/driver/screen_checks.hpp"

using namespace driver;

namespace {

constexpr int kNext = 1, kCancel = 2, kBack = 200;
constexpr int kFirst = 300, kSecond = 310, kThird = 320;
constexpr int kDiskLabel = 200, kDrive = 201;
constexpr char kUser[] = "User Information";
constexpr char kDirectory[] = "Install Directory";
constexpr char kOptions[] = "Options";
constexpr char kSuccess[] = "Installation Successful";
constexpr char kTerminated[] = "Installation Terminated";
constexpr char kDiskChange[] = "Disk change...";
constexpr char kPayloadFolder[] = "C:\\TARNIX";
constexpr char kLinkName[] = "TARNIX.LNK";

Places places;

std::string image() { return places.sample_dir + "\\setup.exe"; }
std::string continuation() { return places.sample_dir + "\\2.DAT"; }

void end_on_termination_page(Setup& setup) {
  press(wait_page(kTerminated), kNext);
  check(setup.finished(), "the program ends after the termination page");
  check(setup.exit_code() == 0, "exit code 0");
  check(value_count(kOwnKey) == 0, "no registry values after a cancelled install");
}

void remove_links() {
  DeleteFileA((desktop_folder() + kLinkName).c_str());
  DeleteFileA((programs_folder() + kLinkName).c_str());
}

void fresh_folder(const std::string& folder) {
  remove_tree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
}

// Welcome -> user -> directory -> options with Next, typing the folder.
void walk_to_options(const std::string& folder) {
  press(wait_page("Welcome"), kNext);
  press(wait_page(kUser), kNext);
  HWND directory = wait_page(kDirectory);
  set_text(directory, kFirst, folder);
  press(directory, kNext);
}

// The personalised viewer: the source image with the marker's three fields
// filled (empty string, owner name, firm).
std::vector<std::uint8_t> personalised_viewer(const std::string& owner, const std::string& firm) {
  std::vector<std::uint8_t> image = file_bytes(places.trnx_exe);
  for (std::size_t p = 0; p + 96 <= image.size(); ++p) {
    std::size_t run = 0;
    while (p + run < image.size() && image[p + run] == '~') ++run;
    if (run == 31) {
      image[p] = 0;
      std::memcpy(&image[p + 32], owner.c_str(), owner.size() + 1);
      std::memcpy(&image[p + 64], firm.c_str(), firm.size() + 1);
      return image;
    }
  }
  check(false, "the viewer has a personalisation marker");
  return image;
}

bool same_time(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

void check_file(const std::string& folder, const char* name, const std::string& source,
                bool present) {
  const std::string path = folder + "\\" + name;
  if (!present) {
    check(!file_exists(path), std::string(name) + " is not installed");
    return;
  }
  check(file_bytes(path) == file_bytes(source), std::string(name) + " installed byte for byte");
  check(same_time(last_write_time(path), last_write_time(source)),
        std::string(name) + " keeps its last-write time");
}

struct Install {
  std::string folder, owner, firm;
  bool samples = true, settings = false, library = true;
};

void check_install(const Install& install) {
  const std::string viewer = install.folder + "\\TRNX.EXE";
  check(file_bytes(viewer) == personalised_viewer(install.owner, install.firm),
        "TRNX.EXE personalised");
  check(same_time(last_write_time(viewer), last_write_time(places.trnx_exe)),
        "TRNX.EXE keeps its last-write time");
  for (const char* drawing : {"HOUSE.TDW", "BRIDGE.TDW", "GEARS.TDW"}) {
    check_file(install.folder, drawing, places.samples_src + "\\drawings\\" + drawing,
               install.samples);
  }
  check_file(install.folder, "TRNX.INI", places.samples_src + "\\TRNX.INI", install.settings);
  check_file(install.folder, "TNXLINE.DLL", places.samples_src + "\\TNXLINE.DLL", install.library);
}

void check_values(const Install& install) {
  const struct {
    const char* name;
    std::string data;
  } values[] = {
      {"OwnerName", install.owner}, {"OwnerFirm", install.firm}, {"AppPath", install.folder},
      {"WorkingDrawing", ""},       {"InsertDrawing", ""},       {"NewDrawingTemplate", ""},
      {"DefaultMenu", ""},
  };
  for (const auto& v : values) {
    std::string data;
    check(
        read_value(kOwnKey, v.name, data) && data == v.data,
        std::string("registry value ") + v.name + " is \"" + v.data + "\", found \"" + data + "\"");
  }
  check(value_count(kOwnKey) == 7, "seven registry values");
}

void check_link(const std::string& folder, const Install& install) {
  Link link;
  check(read_link(folder + kLinkName, link), "shortcut " + folder + kLinkName + " exists");
  check(link.path == install.folder + "\\TRNX.EXE",
        "shortcut starts " + install.folder + "\\TRNX.EXE, found " + link.path);
  check(link.working_folder == install.folder + "\\" || link.working_folder == install.folder,
        "shortcut works in the target folder, found " + link.working_folder);
  check(link.description == "TARNIX CAD File Viewer",
        "shortcut description, found " + link.description);
}

// A full install through the pages, the owner taken from the setup
// information key and a name one character too long for its field.
void full_install() {
  clear_registry();
  set_value(kSetupInfoKey, "DefName", "Ada Default");
  set_value(kSetupInfoKey, "DefCompany", "Default Works");
  remove_links();
  const Install install{"C:\\TNXFULL", "Annabel Quillfeather-Rowntrees",
                        "Fenland Hydrology Partners"};
  fresh_folder(install.folder);
  for (const char* name : {"RUMB4K.DLL", "PLWDWG.XP", "YORLQ.DLL", "YORLQ.TXT", "KEEP.TXT"}) {
    write_file(install.folder + "\\" + name, "left by an earlier version");
  }

  Setup setup(image());
  press(wait_page("Welcome"), kNext);
  HWND user = wait_page(kUser);
  check(get_text(user, kFirst) == "Ada Default", "owner name from the setup information key");
  check(get_text(user, kSecond) == "Default Works", "owner firm from the setup information key");
  set_text(user, kFirst, install.owner + "X");  // 31 characters: the field keeps 30
  set_text(user, kSecond, install.firm);
  save_bmp(capture_screen(), places.artefacts + "\\wizard-user-page.bmp");
  command(user, kNext);  // the fields never lose the focus: Next reads them
  HWND directory = wait_page(kDirectory);
  check(get_text(directory, kFirst) == kPayloadFolder, "install folder from the payload");
  set_text(directory, kFirst, install.folder);
  press(directory, kNext);
  HWND options = wait_page(kOptions);
  check(is_checked(options, kFirst) && is_checked(options, kSecond) && is_checked(options, kThird),
        "the three option boxes start ticked");
  press(options, kNext);
  press(wait_page(kSuccess), kNext);
  check(setup.finished(), "the program ends after the success page");
  check(setup.exit_code() == 0, "exit code 0");

  check_install(install);
  check_values(install);
  check_link(desktop_folder(), install);
  check_link(programs_folder(), install);
  for (const char* name : {"RUMB4K.DLL", "PLWDWG.XP", "YORLQ.DLL", "YORLQ.TXT"}) {
    check(!file_exists(install.folder + "\\" + name), std::string(name) + " removed");
  }
  check(file_exists(install.folder + "\\KEEP.TXT"), "a file not on the removal list stays");
}

// Run after full_install: the owner recorded then is shown; no shortcut
// box and no sample drawings ticked; an existing settings file is updated.
void second_install() {
  remove_links();
  const Install install{
      "C:\\TNXTWO", "Annabel Quillfeather-Rowntrees", "Fenland Hydrology Partners", false, true,
      true};
  fresh_folder(install.folder);
  write_file(install.folder + "\\TRNX.INI", "[Viewer]\r\nUnits=in\r\n");

  Setup setup(image());
  press(wait_page("Welcome"), kNext);
  HWND user = wait_page(kUser);
  check(get_text(user, kFirst) == install.owner, "owner name recorded by the first run");
  check(get_text(user, kSecond) == install.firm, "owner firm recorded by the first run");
  press(user, kNext);
  HWND directory = wait_page(kDirectory);
  set_text(directory, kFirst, install.folder);
  press(directory, kNext);
  HWND options = wait_page(kOptions);
  for (int box : {kFirst, kSecond, kThird}) {
    click(options, box);
    Sleep(100);
    check(!is_checked(options, box), "option box " + std::to_string(box) + " cleared");
  }
  press(options, kNext);
  press(wait_page(kSuccess), kNext);
  check(setup.finished(), "the program ends after the success page");
  check_install(install);
  check_values(install);
  check(!file_exists(desktop_folder() + kLinkName), "no desktop shortcut");
  check(!file_exists(programs_folder() + kLinkName), "no start-menu shortcut");
}

// Back to the welcome page reloads the payload's install folder; typed
// texts are taken on Next and Back even when no field lost the focus.
void back_to_welcome() {
  clear_registry();
  Setup setup(image());
  press(wait_page("Welcome"), kNext);
  HWND user = wait_page(kUser);
  set_text(user, kFirst, "Bartholomew Back");
  command(user, kNext);
  HWND directory = wait_page(kDirectory);
  set_text(directory, kFirst, "C:\\ELSEWHERE");
  command(directory, kBack);
  user = wait_page(kUser);
  check(get_text(user, kFirst) == "Bartholomew Back", "a name typed before Next is kept");
  set_text(user, kSecond, "Backwater Ltd");
  command(user, kBack);
  press(wait_page("Welcome"), kNext);
  user = wait_page(kUser);
  check(get_text(user, kFirst) == "Bartholomew Back", "the name survives the welcome page");
  check(get_text(user, kSecond) == "Backwater Ltd", "a firm typed before Back is kept");
  press(user, kNext);
  directory = wait_page(kDirectory);
  check(get_text(directory, kFirst) == kPayloadFolder,
        "the install folder is the payload's again, found " + get_text(directory, kFirst));
  press(directory, kCancel);
  end_on_termination_page(setup);
}

// Cancel on each of the four pages, and Close from the options page's
// system menu, end on the termination page with nothing recorded.
void cancel_anywhere() {
  const char* pages[] = {"Welcome", kUser, kDirectory, kOptions};
  for (int cancel_at = 0; cancel_at <= 4; ++cancel_at) {
    clear_registry();
    Setup setup(image());
    for (int page = 0; page < 4; ++page) {
      HWND window = wait_page(pages[page]);
      if (page == cancel_at) {
        press(window, kCancel);
        break;
      }
      if (cancel_at == 4 && page == 3) {
        // F1 asks for help, which opens nothing; Close ends the install.
        PostMessageA(GetDlgItem(window, kNext), WM_KEYDOWN, VK_F1, 0);
        Sleep(300);
        check(IsWindow(window) && IsWindowVisible(window), "F1 leaves the options page as it was");
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        wait_closed(window);
        break;
      }
      press(window, kNext);
    }
    end_on_termination_page(setup);
  }
}

struct ContinuationAway {
  ContinuationAway() { MoveFileA(continuation().c_str(), (continuation() + ".away").c_str()); }
  ~ContinuationAway() { bring_back(); }
  void bring_back() { MoveFileA((continuation() + ".away").c_str(), continuation().c_str()); }
};

HWND walk_to_disk_prompt(const std::string& folder) {
  walk_to_options(folder);
  press(wait_page(kOptions), kNext);
  HWND prompt = wait_page(kDiskChange);
  check(get_text(prompt, kDiskLabel) == "TARNIX Release Disk #2",
        "disk label, found " + get_text(prompt, kDiskLabel));
  check(get_text(prompt, kDrive) == places.sample_dir.substr(0, 1) + ":",
        "drive, found " + get_text(prompt, kDrive));
  return prompt;
}

// A missing 2.DAT: the disk prompt over the progress box (screenshot and
// pixel checks), then Cancel ends the install; files copied stay.
void disk_cancel() {
  clear_registry();
  ContinuationAway away;
  const Install install{"C:\\TNXDISK", "", ""};
  remove_tree(install.folder);
  Setup setup(image());
  HWND prompt = walk_to_disk_prompt(install.folder);
  const Screen screen = capture_screen();
  save_bmp(screen, places.artefacts + "\\progress-box-disk-prompt.bmp");
  check_backdrop_and_box(screen, setup.main_window(), prompt);
  press(prompt, kCancel);
  end_on_termination_page(setup);
  check(file_exists(install.folder + "\\TRNX.EXE") && file_exists(install.folder + "\\BRIDGE.TDW"),
        "files of the first disk stay");
  check(!file_exists(install.folder + "\\GEARS.TDW"), "nothing of the second disk");
}

// OK with 2.DAT still missing asks again; OK after it appears goes on.
void disk_ok() {
  clear_registry();
  remove_links();
  ContinuationAway away;
  const Install install{"C:\\TNXLATE", "", ""};
  remove_tree(install.folder);
  Setup setup(image());
  HWND prompt = walk_to_disk_prompt(install.folder);
  press(prompt, kNext);
  prompt = wait_page(kDiskChange);
  away.bring_back();
  press(prompt, kNext);
  press(wait_page(kSuccess), kNext);
  check(setup.finished(), "the program ends after the success page");
  check_install(install);
  check_values(install);
}

// A setup image whose payload offset lies past its end: a message naming
// the image, then the termination page.
void unreadable_payload() {
  clear_registry();
  const std::string folder = places.artefacts + "\\broken";
  fresh_folder(folder);
  const std::string broken = folder + "\\setup.exe";
  std::vector<std::uint8_t> bytes = file_bytes(image());
  const std::uint32_t past_end = static_cast<std::uint32_t>(bytes.size()) + 100;
  std::memcpy(&bytes[28], &past_end, 4);
  write_file(broken, std::string(bytes.begin(), bytes.end()));
  Setup setup(broken);
  HWND box = wait_page("Quorvane Setup");
  const std::string text = get_text(box, 0xFFFF);
  check(text.find("broken\\setup.exe") != std::string::npos,
        "the message names the image: " + text);
  press(box, IDOK);
  end_on_termination_page(setup);
}

// The folder of the built programs (where the marker library lies too).
std::string bin_folder() {
  return places.trnx_exe.substr(0, places.trnx_exe.find_last_of('\\') + 1);
}

// An image whose second file (HOUSE.TDW) has a damaged window size code:
// a message box names the record, the file and the reason, then the
// termination page; the viewer installed before stays, and an earlier
// HOUSE.TDW is left as it was.
void copy_failure() {
  clear_registry();
  const std::string folder = places.artefacts + "\\damaged";
  fresh_folder(folder);
  std::vector<std::uint8_t> bytes = file_bytes(image());
  const std::string name = std::string("HOUSE.TDW") + '\0';
  const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  check(at != bytes.end(), "the sample image holds HOUSE.TDW");
  if (at == bytes.end()) return;
  *(at + static_cast<std::ptrdiff_t>(name.size()) + 16 + 1) = 9;  // window size code of its stream
  const std::string damaged = folder + "\\setup.exe";
  write_file(damaged, std::string(bytes.begin(), bytes.end()));
  const std::string install = "C:\\TNXDAMAGED";
  fresh_folder(install);
  write_file(install + "\\HOUSE.TDW", "an earlier drawing");

  Setup setup(damaged);
  walk_to_options(install);
  press(wait_page(kOptions), kNext);
  HWND box = wait_page("Quorvane Setup");
  const std::string text = get_text(box, 0xFFFF);
  check(text.find("HOUSE.TDW") != std::string::npos, "the message names the file: " + text);
  check(text.find("window size code") != std::string::npos,
        "the message gives the reason: " + text);
  check(text.find("record at offset") != std::string::npos,
        "the message names the record: " + text);
  press(box, IDOK);
  end_on_termination_page(setup);
  check(file_exists(install + "\\TRNX.EXE"), "the file installed before the failure stays");
  const std::string earlier = "an earlier drawing";
  check(file_bytes(install + "\\HOUSE.TDW") ==
            std::vector<std::uint8_t>(earlier.begin(), earlier.end()),
        "the earlier HOUSE.TDW is left as it was");
}

// A setup image of its own, beside which a library named by its first "?"
// record is placed, whose start-up code would leave a marker: the presence
// test never loads it, so that file is installed; the second "?" record
// names a library of the system folder and is not installed.
void library_beside() {
  clear_registry();
  remove_links();
  const std::string marker_library = bin_folder() + "kitmarker.dll";
  // The marker library does mark when it is loaded.
  const std::string probe_folder = places.artefacts + "\\probe";
  fresh_folder(probe_folder);
  const std::string probe = probe_folder + "\\TNXLINE.DLL";
  CopyFileA(marker_library.c_str(), probe.c_str(), FALSE);
  HMODULE loaded = LoadLibraryA(probe.c_str());
  check(loaded != nullptr && file_exists(probe + ".loaded"),
        "the marker library leaves its marker when loaded");
  if (loaded != nullptr) FreeLibrary(loaded);

  const std::string install = "C:\\TNXBESIDE";
  remove_tree(install);
  std::vector<std::uint8_t> image = file_bytes(bin_folder() + "setup.exe");
  payload::set_payload_offset(image, static_cast<std::uint32_t>(image.size()));
  payload::InstallHeader header;
  header.install_folder = install;
  header.link_name = kLinkName;
  header.has_folder = header.has_link = true;
  payload::append_header(image, header);
  const std::string stand_in = "a line-style library stand-in";
  const std::vector<std::uint8_t> content(stand_in.begin(), stand_in.end());
  for (const char* name : {"TNXLINE.DLL", "KERNEL32.DLL"}) {
    payload::append_file_record(image, false, '?', name, 0x01D0000000000000ULL,
                                static_cast<std::uint32_t>(content.size()), dcl::implode(content));
  }
  payload::append_end_record(image);
  const std::string folder = places.artefacts + "\\beside";
  fresh_folder(folder);
  write_file(folder + "\\setup.exe", std::string(image.begin(), image.end()));
  const std::string beside = folder + "\\TNXLINE.DLL";
  check(CopyFileA(marker_library.c_str(), beside.c_str(), FALSE) != 0,
        "marker library placed beside setup.exe");

  Setup setup(folder + "\\setup.exe");
  walk_to_options(install);
  press(wait_page(kOptions), kNext);
  press(wait_page(kSuccess), kNext);
  check(setup.finished(), "the program ends after the success page");
  check(!file_exists(beside + ".loaded"), "the library beside setup.exe was never loaded");
  check(file_bytes(install + "\\TNXLINE.DLL") == content,
        "TNXLINE.DLL installed: the system has none");
  check(!file_exists(install + "\\KERNEL32.DLL"), "KERNEL32.DLL not installed: the system has one");
  remove_links();
}

// A run typed at the keyboard, as a person would: Enter for Next, Tab
// between fields, F1 on the options page.
void keystrokes() {
  clear_registry();
  remove_links();
  const Install install{"C:\\TNXKEYS", "Kit Keyboard", "Key & Co"};
  remove_tree(install.folder);
  Setup setup(image());
  HWND page = wait_page("Welcome");
  SetForegroundWindow(page);
  type_key(VK_RETURN);
  wait_closed(page);
  page = wait_page(kUser);
  type_text(install.owner);
  type_key(VK_TAB);
  type_text(install.firm);
  type_key(VK_RETURN);
  wait_closed(page);
  page = wait_page(kDirectory);
  type_text(install.folder);  // the field's text is selected, so typing replaces it
  type_key(VK_RETURN);
  wait_closed(page);
  page = wait_page(kOptions);
  type_key(VK_F1);
  Sleep(300);
  check(IsWindow(page) && FindWindowA("#32770", kOptions) == page, "F1 changes nothing");
  type_key(VK_RETURN);
  wait_closed(page);
  page = wait_page(kSuccess);
  type_key(VK_RETURN);
  check(setup.finished(), "the program ends after the success page");
  check_install(install);
  check_values(install);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr,
                 "usage: setupdriver SAMPLE_DIR SAMPLES_SRC TRNX_EXE ARTEFACTS [SCENARIO...]\n");
    return 2;
  }
  places = {argv[1], argv[2], argv[3], argv[4]};
  CoInitialize(nullptr);
  // One case a row, laid out by hand.
  // clang-format off
  const std::vector<std::pair<std::string, std::function<void()>>> scenarios = {
      {"full", full_install},             {"second", second_install},
      {"back", back_to_welcome},          {"cancel", cancel_anywhere},
      {"disk-cancel", disk_cancel},       {"disk-ok", disk_ok},
      {"unreadable", unreadable_payload}, {"keys", keystrokes},
      {"copy-failure", copy_failure},     {"library-beside", library_beside},
  };
  // clang-format on
  std::vector<std::string> chosen(argv + 5, argv + argc);
  int failed_scenarios = 0;
  for (const auto& [name, run] : scenarios) {
    if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), name) == chosen.end()) continue;
    const int before = failures();
    try {
      run();
    } catch (const Stuck& stuck) {
      check(false, std::string("stuck: ") + stuck.what());
    }
    const bool ok = failures() == before;
    failed_scenarios += ok ? 0 : 1;
    std::printf("%s %s\n", ok ? "PASS" : "FAIL", name.c_str());
    std::fflush(stdout);
  }
  CoUninitialize();
  return failed_scenarios == 0 ? 0 : 1;
}
