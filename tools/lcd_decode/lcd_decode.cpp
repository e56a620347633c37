// Reads the main window's two read-outs off a picture of the window, or
// the on-screen display's mark and read-outs off a picture of it:
//   lcd_decode WINDOW.bmp      prints "<time> <track>", e.g. "00:09 42"
//   lcd_decode --osd OSD.bmp   prints "<mark> <time> <number>", e.g.
//                              "play 00:09 5"; the mark is play, pause,
//                              stop or none, an empty read-out "-"
// Each segment is looked at in the middle of its bar: dark is lit. Cells
// that match no character print as "?", blank cells are left out.
#include <cstdio>
#include <string>

#include "framework/bitmap.h"
#include "app/osd.h"
#include "widgets/lcd99.h"

namespace {

using widgets::LcdGeometry;
using widgets::TLCD99;

bool dark(const fw::Bitmap& b, int x, int y) {
    const fw::Color c = b.pixel(x, y);
    if (c == fw::Bitmap::invalidColor) return false;
    return fw::redOf(c) + fw::greenOf(c) + fw::blueOf(c) < 3 * 96;
}

std::string decode(const fw::Bitmap& shot, const fw::Rect& place, int digits, int segmentSize) {
    TLCD99 lcd(nullptr, "reader");
    lcd.setBounds(place);
    lcd.setDigitNum(digits);
    lcd.setDigitSpacing(1);
    lcd.setGapX(1);
    lcd.setGapY(1);
    lcd.setSegmentSize(segmentSize);
    const LcdGeometry g = lcd.geometry();
    std::string text;
    for (int i = 1; i <= digits; ++i) {
        const int t = place.left + g.cellLeft(i), top = place.top, S = g.S;
        const int midX = t + g.GX + g.HL / 2;
        const int lowerY = top + g.DH / 2 + g.GY + g.VL / 2;
        const int upperY = top + g.GY + g.VL / 2;
        const bool on[8] = {
            dark(shot, midX, top + S / 2),         // 1 top
            dark(shot, t + S / 2, upperY),         // 2 upper left
            dark(shot, t + g.DW - S / 2, upperY),  // 3 upper right
            dark(shot, midX, top + g.DH / 2),      // 4 middle
            dark(shot, t + S / 2, lowerY),         // 5 lower left
            dark(shot, t + g.DW - S / 2, lowerY),  // 6 lower right
            dark(shot, midX, top + g.DH - S / 2),  // 7 bottom
            dark(shot, t + (g.DW - g.HL / 3) / 2 + g.HL / 6,
                 top + g.DH / 2 - g.VL / 3 - g.VL / 6),  // 8 colon
        };
        bool any = false;
        for (bool b : on) any = any || b;
        if (!any) {
            if (!text.empty()) text += ' ';
            continue;
        }
        char found = '?';
        for (const char c : std::string("0123456789-:ABCDEFGHIJKLMNOPQRSTUVWXYZ")) {
            const auto& row = TLCD99::SegmentMasks[static_cast<std::size_t>(TLCD99::maskIndex(c))];
            bool same = true;
            for (int s = 0; s < 8; ++s) same = same && row[static_cast<std::size_t>(s)] == on[s];
            if (same) {
                found = c;
                break;
            }
        }
        text += found;
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The display's mark, as its face draws it: a triangle pointing right
// (play), two bars (pause), a square (stop).
const char* markOf(const fw::Bitmap& shot) {
    const fw::Rect m = app::OsdLayout::mark;
    const bool centre = dark(shot, m.left + 8, m.top + 8), corner = dark(shot, m.left + 14, m.top + 2),
               left = dark(shot, m.left + 4, m.top + 8);
    if (centre && corner) return "stop";
    if (centre && left) return "play";
    if (!centre && left) return "pause";
    return "none";
}

std::string orDash(std::string s) { return s.empty() ? "-" : s; }

}  // namespace

int main(int argc, char** argv) {
    const bool osd = argc == 3 && std::string(argv[1]) == "--osd";
    if (argc != 2 && !osd) {
        std::fprintf(stderr, "usage: lcd_decode WINDOW.bmp | lcd_decode --osd OSD.bmp\n");
        return 2;
    }
    try {
        const fw::Bitmap shot = fw::Bitmap::fromBmpFile(argv[argc - 1]);
        if (osd) {
            using L = app::OsdLayout;
            std::printf("%s %s %s\n", markOf(shot),
                        orDash(decode(shot, L::time, L::timeDigits, L::segmentSize)).c_str(),
                        orDash(decode(shot, L::number, L::numberDigits, L::segmentSize)).c_str());
            return 0;
        }
        std::printf("%s %s\n", decode(shot, fw::Rect::fromSize(38, 61, 63, 19), 5, 2).c_str(),
                    decode(shot, fw::Rect::fromSize(106, 69, 35, 12), 4, 1).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lcd_decode: %s\n", e.what());
        return 1;
    }
    return 0;
}
