#pragma once

#include <windows.h>

#include "config/form_controls.h"

namespace krovan::win32 {

// The system's dialog font (the message font) at the given dots per inch.
HFONT CreateDialogFont(UINT dpi);

// The one factor by which every twips position is scaled: pixels per 15 twips. Measured with the
// font selected into `dc`, it is layout::ScaleFactor's choice of any factor: at least dpi / 96, and
// large enough that every caption, list item and line of text fits the box it is given.
double LayoutScale(HDC dc, UINT dpi);

// The window rectangle of a control, in client-area pixels at that scale.
RECT PixelRect(ControlIndex control, double scale);

// The client area's size in pixels at that scale.
SIZE ClientSize(double scale);

}  // namespace krovan::win32
