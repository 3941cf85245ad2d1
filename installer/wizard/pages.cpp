#include "installer/wizard/pages.hpp"

#include "installer/wizard/resource.h"

namespace wizard {
namespace {

constexpr ControlDescriptor text_field(std::uint16_t id, std::int32_t width, char* variable) {
  return {ControlKind::text, id, 0, 0, width, 0, 0, variable, 0, nullptr};
}
constexpr ControlDescriptor check_box(std::uint16_t id, std::uint32_t* variable,
                                      std::uint32_t mask) {
  return {ControlKind::check, id, 0, 0, 0, 0, 0, variable, mask, nullptr};
}
constexpr ControlDescriptor kBackButton{ControlKind::button, IDC_BACK, 0, 0, 0, 0, 0, nullptr, 0,
                                        back_command};
constexpr ControlDescriptor kEnd{};

constexpr ControlDescriptor kNoControls[] = {kEnd};

}  // namespace

// The tables are members declared after the descriptors; a descriptor holds
// only their address, which is fixed before they are filled.
Pages::Pages(WizardState& wizard)
    : welcome{kNoControls, 0, "WELCOMEDLG"},
      user{user_controls_, 0, "USERDLG"},
      install_directory{directory_controls_, 0, "INSTDIRDLG"},
      options{option_controls_, 0, "OPTIONSDLG"},
      success{kNoControls, 0, "INSTOKDLG"},
      terminated{kNoControls, 0, "INSTABTDLG"},
      disk_change{disk_controls_, 0, "DSKCHGDLG"},
      user_controls_{
          text_field(IDC_FIRST_FIELD, 31, wizard.owner_name),
          text_field(IDC_SECOND_FIELD, 31, wizard.owner_firm),
          kBackButton,
          kEnd,
      },
      directory_controls_{
          text_field(IDC_FIRST_FIELD, 260, wizard.install_folder),
          kBackButton,
          kEnd,
      },
      option_controls_{
          check_box(IDC_FIRST_FIELD, &wizard.start_menu_flag, 1),
          check_box(IDC_SECOND_FIELD, &wizard.desktop_flag, 1),
          check_box(IDC_THIRD_FIELD, &wizard.option_flag1, 1),
          kBackButton,
          kEnd,
      },
      disk_controls_{
          text_field(IDC_DISK_LABEL, 64, wizard.disk_label),
          text_field(IDC_DRIVE, 64, wizard.drive_text),
          kEnd,
      } {}

}  // namespace wizard
