// The remote control's pictures, drawn from code: the skin (169 x 312),
// its outline as a region-data block, the status patch and the tray icon.
// The generator writes them under src/resources; a test draws them again
// and compares, so the committed files always match this code.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/bitmap.h"

namespace skin {

fw::Bitmap skinPicture();
// Which pixels of the picture belong to the window.
bool opaque(int x, int y);
// The outline as the platform's region-data block (RGNDATA), rectangles in
// banded order, and as the Mask2 payload (a 32-bit length first).
std::vector<std::uint8_t> regionData();
std::vector<std::uint8_t> mask2Payload();
fw::Bitmap statusPatch();
// A 32 x 32 icon file (.ico) of the remote.
std::vector<std::uint8_t> trayIcon();

}  // namespace skin
