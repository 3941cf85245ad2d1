// What the wizard holds for the whole run: the values the pages show and
// change, and the values the payload header supplies. The application owns
// the one instance (App::wizard); the pages' control tables are bound to its
// fields.
#pragma once

#include <cstdint>

#include "installer/payload/header.hpp"

namespace wizard {

struct WizardState {
  std::uint32_t step = 1;
  char owner_name[128] = {};
  char owner_firm[128] = {};
  char install_folder[260] = {};
  std::uint32_t start_menu_flag = 1;
  std::uint32_t desktop_flag = 1;
  std::uint32_t option_flag1 = 1;  // "Install sample drawings"
  std::uint32_t option_flag2 = 1;  // no page changes these two
  std::uint32_t option_flag3 = 1;
  // Shown by the disk-change prompt.
  char disk_label[64] = {};
  char drive_text[64] = {};  // the drive letter and ":"
  // The payload as loaded at step 1.
  payload::Payload payload;
  bool payload_readable = false;
};

}  // namespace wizard
