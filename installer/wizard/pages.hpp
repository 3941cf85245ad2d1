// The installer's pages, each a control table bound to the wizard's state.
#pragma once

#include "installer/wizard/page_engine.hpp"
#include "installer/wizard/wizard_state.hpp"

namespace wizard {

// The pages of one wizard: their control tables point into `wizard`, which
// must outlive them, and into the tables held here, so they are not copied.
class Pages {
 public:
  explicit Pages(WizardState& wizard);
  Pages(const Pages&) = delete;
  Pages& operator=(const Pages&) = delete;

  const PageDescriptor welcome;
  const PageDescriptor user;
  const PageDescriptor install_directory;
  const PageDescriptor options;
  const PageDescriptor success;
  const PageDescriptor terminated;
  const PageDescriptor disk_change;

 private:
  const ControlDescriptor user_controls_[4];
  const ControlDescriptor directory_controls_[3];
  const ControlDescriptor option_controls_[5];
  const ControlDescriptor disk_controls_[3];
};

}  // namespace wizard
