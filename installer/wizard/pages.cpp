#include "installer/wizard/pages.hpp"

#include "installer/wizard/resource.h"
#include "installer/wizard/wizard_state.hpp"

namespace wizard {
namespace {

WizardState& s = state();

constexpr ControlDescriptor text_field(std::uint16_t id, std::int32_t width, char* variable) {
  return {ControlKind::text, id, 0, 0, width, 0, 0, variable, 0, nullptr};
}
constexpr ControlDescriptor check_box(std::uint16_t id, std::uint32_t* variable, std::uint32_t mask) {
  return {ControlKind::check, id, 0, 0, 0, 0, 0, variable, mask, nullptr};
}
constexpr ControlDescriptor kBackButton{ControlKind::button, IDC_BACK, 0, 0, 0, 0, 0, nullptr, 0, back_command};
constexpr ControlDescriptor kEnd{};

const ControlDescriptor no_controls[] = {kEnd};
const ControlDescriptor user_controls[] = {
    text_field(IDC_FIRST_FIELD, 31, s.owner_name),
    text_field(IDC_SECOND_FIELD, 31, s.owner_firm),
    kBackButton,
    kEnd,
};
const ControlDescriptor directory_controls[] = {
    text_field(IDC_FIRST_FIELD, 260, s.install_folder),
    kBackButton,
    kEnd,
};
const ControlDescriptor option_controls[] = {
    check_box(IDC_FIRST_FIELD, &s.start_menu_flag, 1),
    check_box(IDC_SECOND_FIELD, &s.desktop_flag, 1),
    check_box(IDC_THIRD_FIELD, &s.option_flag1, 1),
    kBackButton,
    kEnd,
};
const ControlDescriptor disk_controls[] = {
    text_field(IDC_DISK_LABEL, 64, s.disk_label),
    text_field(IDC_DRIVE, 64, s.drive_text),
    kEnd,
};

}  // namespace

const PageDescriptor kWelcomePage{no_controls, 0, "WELCOMEDLG"};
const PageDescriptor kUserPage{user_controls, 0, "USERDLG"};
const PageDescriptor kInstallDirectoryPage{directory_controls, 0, "INSTDIRDLG"};
const PageDescriptor kOptionsPage{option_controls, 0, "OPTIONSDLG"};
const PageDescriptor kSuccessPage{no_controls, 0, "INSTOKDLG"};
const PageDescriptor kTerminatedPage{no_controls, 0, "INSTABTDLG"};
const PageDescriptor kDiskChangePage{disk_controls, 0, "DSKCHGDLG"};

}  // namespace wizard
