// The installer's pages, each a control table bound to the wizard state.
#pragma once

#include "installer/wizard/page_engine.hpp"

namespace wizard {

extern const PageDescriptor kWelcomePage;
extern const PageDescriptor kUserPage;
extern const PageDescriptor kInstallDirectoryPage;
extern const PageDescriptor kOptionsPage;
extern const PageDescriptor kSuccessPage;
extern const PageDescriptor kTerminatedPage;
extern const PageDescriptor kDiskChangePage;

}  // namespace wizard
