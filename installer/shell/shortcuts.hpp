// The component system (started once, used for the shell link object) and
// the program's shortcuts on the desktop and in the start menu.
#pragma once

#include <string>

struct IMalloc;

namespace shell {

class ComponentSystem {
 public:
  // Initialises only when the system's build version is 23.639 or later,
  // then obtains the task allocator. A failure is remembered, not reported.
  void start();
  // Releases the allocator if obtained, then uninitialises if initialised.
  void stop();
  IMalloc* allocator() const { return allocator_; }

 private:
  bool initialised_ = false;
  IMalloc* allocator_ = nullptr;
};

struct ShortcutPlan {
  std::string target_folder;  // install folder and "\"; the working folder
  std::string program;        // file name of the program in the target folder
  std::string description;
  std::string link_name;  // file name of each shortcut file
  bool desktop = true;
  bool start_menu = true;
};

// Creates the desktop shortcut, then the start-menu one, as the plan asks.
// Where the folder of the Windows layout does not exist, the current user's
// Desktop and Start Menu\Programs folders are used. Any failure abandons
// that shortcut silently.
void create_shortcuts(const ShortcutPlan& plan, IMalloc* allocator);

// Creates one shortcut file at `link_path` (any length).
bool create_shortcut(const std::string& target, const std::string& link_path,
                     const std::string& description, const std::string& working_folder,
                     IMalloc* allocator);

}  // namespace shell
