// Pixel checks of the setup program's backdrop and progress box.
#pragma once

#include "installer/wizard/tests/driver/driver.hpp"

namespace driver {

// Checks the gradient rows, title, client frame and progress box in a
// capture of the screen; pixels under `prompt` are skipped.
void check_backdrop_and_box(const Screen& screen, HWND main_window, HWND prompt);

}  // namespace driver
