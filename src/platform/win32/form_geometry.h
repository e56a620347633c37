// How a form's window is framed and placed: its styles for each border
// style, its outer size for a client size at its scale, and where it goes
// on the screen. Every size is worked out from the size the form is meant
// to have, not from the window's rectangle, which may still be catching up
// with a change of frame.
#pragma once

#include <windows.h>

#include "framework/geometry.h"
#include "framework/host.h"
#include "platform/win32/dpi_scale.h"

namespace win32 {

DWORD styleFor(fw::BorderStyle style);
DWORD exStyleFor(fw::BorderStyle style);

// The window's styles made those of `style`, keeping whether it is visible,
// disabled or minimised.
void applyStyle(HWND hwnd, fw::BorderStyle style);
void setClientSize(HWND hwnd, DpiScale scale, fw::Size client);
void centreOnScreen(HWND hwnd, DpiScale scale, fw::Size client, fw::BorderStyle style);
// In the bottom-right corner of the work area, `margin` layout pixels in.
void placeBottomRight(HWND hwnd, DpiScale scale, fw::Size client, fw::BorderStyle style, int margin);

}  // namespace win32
