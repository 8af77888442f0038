#pragma once

#include <windows.h>

#include <array>

#include "config/form_controls.h"

namespace krovan::win32 {

// Gives each control that has a name for screen readers in the window's table (the drop-down
// lists and the slider) that name, through the accessibility property services: a drop-down
// list's own name would be that of the label before it, and "Move Up:" does not tell which
// tank. Returns false when the services are not available; the controls then keep the names
// the system derives.
bool NameForScreenReaders(const std::array<HWND, form::kControlCount>& controls);

}  // namespace krovan::win32
