// The pairing code as a QR code a phone's camera reads: which modules are
// dark, row by row, without the quiet zone around them.
#pragma once

#include <string>
#include <vector>

namespace web {

struct QrModules {
    int size = 0;  // modules on a side; 0: nothing to draw
    std::vector<bool> dark;  // size * size, row by row

    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < size && y < size && dark[static_cast<std::size_t>(y * size + x)];
    }
};

// Modules of four around the code keep it apart from what lies beside it.
constexpr int qrQuietZone = 4;

// The QR code of `text`, with the medium level of error correction, which
// a phone still reads off a screen photographed at a slant; empty when the
// text is too long for any QR code.
QrModules qrCodeOf(const std::string& text);

}  // namespace web
