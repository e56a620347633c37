#include "skin_art.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

namespace skin {
namespace {

using fw::Color;
using fw::rgb;

constexpr int W = 169, H = 312;
constexpr Color silver = rgb(192, 192, 192);

// Half-width of the body at row y: rounded head and foot, straight sides.
double halfWidth(int y) {
    const double top = 2, curve = 54, full = 80, narrow = 49;
    if (y < 2 || y > 306) return -1;
    double d = 0;
    if (y < top + curve) d = (top + curve - y) / curve;
    if (y > 306 - curve) d = (y - (306 - curve)) / curve;
    return narrow + (full - narrow) * std::sqrt(std::max(0.0, 1 - d * d));
}

// The speaker grille: rows 111..117, holes every other pixel across x 43..77,
// the middle row staggered by one against its neighbours like a mesh. The
// counts give the stored outline its 138 rectangles.
bool grilleHole(int x, int y) {
    if (y < 111 || y > 117) return false;
    static const int holes[] = {1, 14, 18, 17, 18, 14, 1};
    const int n = holes[y - 111];
    const int first = 60 - n + 1;
    return x >= first && x < first + 2 * n && (x - first) % 2 == 0;
}

// 3 x 5 pixel letters, rows top to bottom, 3 bits each (left bit first).
const std::map<char, const char*> font = {
    {'A', "010101111101101"}, {'B', "110101110101110"}, {'C', "011100100100011"}, {'D', "110101101101110"},
    {'E', "111100110100111"}, {'F', "111100110100100"}, {'H', "101101111101101"}, {'I', "111010010010111"},
    {'L', "100100100100111"}, {'M', "101111111101101"}, {'N', "110101101101101"}, {'O', "010101101101010"},
    {'P', "110101110100100"}, {'R', "110101110101101"}, {'S', "011100010001110"}, {'T', "111010010010010"},
    {'U', "101101101101111"}, {'V', "101101101101010"}, {'W', "101101111111101"}, {'X', "101101010101101"},
    {'Y', "101101010010010"}, {'Z', "111001010100111"}, {'0', "111101101101111"}, {'1', "010110010010111"},
    {'2', "110001010100111"}, {'3', "110001010001110"}, {'4', "101101111001001"}, {'5', "111100110001110"},
    {'6', "011100111101111"}, {'7', "111001010010010"}, {'8', "111101111101111"}, {'9', "111101111001110"},
    {'+', "000010111010000"}, {'-', "000000111000000"}, {'/', "001001010100100"}, {' ', "000000000000000"},
};

class Painter {
public:
    explicit Painter(fw::Bitmap& b) : b_(b) {}
    void put(int x, int y, Color c) { b_.setPixel(x, y, c); }
    Color at(int x, int y) const { return b_.pixel(x, y); }
    void fill(int x0, int y0, int w, int h, Color c) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) put(x, y, c);
    }
    // A rounded rectangle with a vertical gradient and a one-pixel bevel.
    void key(int x0, int y0, int w, int h, Color top, Color bottom, int radius = 3) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (!insideRounded(x, y, w, h, radius)) continue;
                const double t = h > 1 ? static_cast<double>(y) / (h - 1) : 0;
                Color c = mix(top, bottom, t);
                const bool edgeTop = !insideRounded(x, y - 1, w, h, radius) || !insideRounded(x - 1, y, w, h, radius);
                const bool edgeBottom = !insideRounded(x, y + 1, w, h, radius) || !insideRounded(x + 1, y, w, h, radius);
                if (edgeTop) c = mix(c, fw::colors::white, 0.45);
                if (edgeBottom) c = mix(c, fw::colors::black, 0.55);
                put(x0 + x, y0 + y, c);
            }
    }
    void text(int x, int y, const std::string& s, Color c) {
        for (char ch : s) {
            auto it = font.find(ch);
            if (it != font.end())
                for (int i = 0; i < 15; ++i)
                    if (it->second[i] == '1') put(x + i % 3, y + i / 3, c);
            x += 4;
        }
    }
    // Text centred in a box.
    void label(int x0, int y0, int w, int h, const std::string& s, Color c) {
        const int tw = static_cast<int>(s.size()) * 4 - 1;
        text(x0 + (w - tw) / 2, y0 + (h - 5) / 2, s, c);
    }
    // A triangle pointing right (dir 1) or left (dir -1), apex at (x, cy).
    void triangle(int x, int cy, int length, int dir, Color c) {
        for (int i = 0; i < length; ++i) {
            const int half = length - 1 - i;
            for (int dy = -half; dy <= half; ++dy) put(x - dir * (length - 1 - i), cy + dy, c);
        }
    }
    void disc(double cx, double cy, double r, Color c) {
        for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
            for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x)
                if ((x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy) <= r * r) put(x, y, c);
    }
    static Color mix(Color a, Color b, double t) {
        auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
        return rgb(m(fw::redOf(a), fw::redOf(b)), m(fw::greenOf(a), fw::greenOf(b)), m(fw::blueOf(a), fw::blueOf(b)));
    }

private:
    static bool insideRounded(int x, int y, int w, int h, int r) {
        if (x < 0 || y < 0 || x >= w || y >= h) return false;
        const int cx = x < r ? r - x : (x >= w - r ? x - (w - r - 1) : 0);
        const int cy = y < r ? r - y : (y >= h - r ? y - (h - r - 1) : 0);
        return cx * cx + cy * cy <= r * r + 1;
    }
    fw::Bitmap& b_;
};

struct Key {
    int x, y, w, h;
    const char* label;
    int kind;  // 0 grey function key, 1 transport, 2 number, 3 accent
};

// The keys of the main window, at their hot spots.
const Key keys[] = {
    {20, 128, 27, 17, "MP3", 0},  {83, 128, 25, 17, "VOL-", 3},  {116, 128, 25, 17, "VOL+", 3},
    {20, 148, 27, 17, "TRAY", 0}, {83, 148, 25, 17, "", 1},      {116, 148, 25, 17, "", 1},
    {20, 168, 27, 17, "IR", 0},   {83, 168, 25, 17, "", 1},      {116, 168, 25, 17, "", 1},
    {20, 190, 25, 17, "", 1},     {52, 190, 27, 17, "", 1},      {83, 190, 25, 17, "", 1},
    {116, 190, 25, 17, "MUTE", 3}, {83, 209, 25, 17, "SHUF", 0}, {116, 209, 25, 17, "REP", 0},
    {20, 228, 27, 17, "ENT", 3},  {52, 228, 27, 17, "1", 2},     {83, 228, 27, 17, "2", 2},
    {116, 228, 27, 17, "3", 2},   {20, 246, 25, 17, "4", 2},     {52, 246, 27, 17, "5", 2},
    {83, 246, 27, 17, "6", 2},    {116, 246, 27, 17, "7", 2},    {20, 264, 27, 17, "8", 2},
    {52, 264, 27, 17, "9", 2},    {83, 264, 27, 17, "0", 2},     {116, 264, 27, 17, "C", 3},
    {115, 107, 25, 17, "ON", 3},
};

void transportSymbols(Painter& p) {
    const Color white = rgb(235, 238, 242);
    // Previous |<< , next >>|, rewind <<, fast-forward >>.
    p.fill(89, 152, 1, 9, white);
    p.triangle(91, 156, 5, -1, white);
    p.triangle(96, 156, 5, -1, white);
    p.triangle(124, 156, 5, 1, white);
    p.triangle(129, 156, 5, 1, white);
    p.fill(131, 152, 1, 9, white);
    p.triangle(90, 176, 5, -1, white);
    p.triangle(96, 176, 5, -1, white);
    p.triangle(126, 176, 5, 1, white);
    p.triangle(132, 176, 5, 1, white);
    // Play, pause, stop.
    p.triangle(35, 198, 6, 1, rgb(120, 230, 120));
    p.fill(61, 194, 3, 9, white);
    p.fill(66, 194, 3, 9, white);
    p.fill(91, 194, 9, 9, rgb(240, 110, 100));
}

void display(Painter& p) {
    const Color frame = rgb(70, 74, 82);
    // The silver window of the remote's display, with a dark frame.
    p.fill(13, 35, 142, 55, frame);
    p.fill(14, 36, 140, 53, silver);
    // Indicators, each where its status patch lies.
    const Color ink = rgb(20, 20, 24);
    p.triangle(28, 61, 5, 1, ink);                                   // play mark (19,57 12x8)
    p.fill(22, 66, 2, 7, ink);                                       // pause mark (19,65 12x9)
    p.fill(26, 66, 2, 7, ink);
    p.fill(22, 75, 7, 6, ink);                                       // stop mark (19,73 12x9)
    p.text(82, 44, "RPT", ink);                                      // repeat on (82,42 12x9)
    p.fill(84, 51, 8, 2, rgb(120, 120, 124));                        // repeat off (82,50 12x5)
    p.fill(96, 44, 10, 1, ink);                                      // shuffle off: straight (95,42 12x8)
    p.fill(96, 47, 10, 1, ink);
    for (int i = 0; i < 8; ++i) {                                    // shuffle on: crossed (95,49 12x9)
        p.put(97 + i, 50 + i, ink);
        p.put(97 + i, 57 - i, ink);
    }
    p.disc(117.5, 48.5, 7.5, rgb(40, 150, 60));                      // ON badge (109,40 17x17)
    p.text(113, 46, "ON", fw::colors::white);
    p.fill(130, 45, 3, 6, ink);                                      // mute: speaker with a cross (126,40 19x17)
    p.triangle(133, 48, 4, -1, ink);
    for (int i = 0; i < 6; ++i) {
        p.put(137 + i, 45 + i, rgb(200, 30, 30));
        p.put(142 - i, 45 + i, rgb(200, 30, 30));
    }
    p.fill(21, 40, 12, 17, rgb(170, 30, 30));                        // IR badge (21,40 12x17)
    p.text(23, 46, "IR", fw::colors::white);
    // Frames around the two read-outs and their captions.
    p.fill(37, 60, 65, 21, rgb(150, 150, 154));
    p.fill(38, 61, 63, 19, silver);
    p.fill(105, 68, 37, 14, rgb(150, 150, 154));
    p.fill(106, 69, 35, 12, silver);
    p.text(40, 54, "TIME", rgb(90, 90, 96));
    p.text(106, 61, "TRK", rgb(90, 90, 96));
}

}  // namespace

bool opaque(int x, int y) {
    const double half = halfWidth(y);
    if (half < 0) return false;
    const double centre = 83.0;
    if (x + 0.5 < centre - half || x + 0.5 > centre + half) return false;
    return !grilleHole(x, y);
}

fw::Bitmap skinPicture() {
    fw::Bitmap b(W, H, rgb(255, 0, 255));
    Painter p(b);
    // The body: graphite, lighter at the top, with a bevelled rim.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!opaque(x, y)) continue;
            Color c = Painter::mix(rgb(72, 76, 86), rgb(34, 36, 42), y / static_cast<double>(H));
            const bool rimLight = !opaque(x - 1, y) || !opaque(x, y - 1);
            const bool rimDark = !opaque(x + 1, y) || !opaque(x, y + 1);
            if (rimLight) c = rgb(150, 156, 168);
            else if (rimDark) c = rgb(18, 19, 22);
            p.put(x, y, c);
        }
    // The head: IR window, brand, and the two small window keys.
    for (int y = 4; y < 13; ++y)
        for (int x = 62; x < 104; ++x) {
            const double dx = (x + 0.5 - 83) / 21.0, dy = (y + 0.5 - 13) / 9.0;
            if (dx * dx + dy * dy <= 1) p.put(x, y, Painter::mix(rgb(120, 10, 20), rgb(40, 0, 6), dy + 1));
        }
    p.text(28, 19, "ZAV AMP", rgb(210, 214, 222));
    p.key(121, 17, 10, 10, rgb(150, 154, 160), rgb(90, 94, 100), 2);
    p.fill(123, 23, 6, 1, rgb(20, 20, 24));
    p.key(131, 17, 10, 10, rgb(230, 80, 70), rgb(150, 30, 25), 2);
    for (int i = 0; i < 4; ++i) {
        p.put(134 + i, 20 + i, fw::colors::white);
        p.put(137 - i, 20 + i, fw::colors::white);
    }
    p.key(144, 24, 9, 9, rgb(110, 200, 120), rgb(40, 120, 50), 4);
    display(p);
    // The grille's recessed plate; its holes let the desktop through.
    p.key(36, 107, 49, 15, rgb(22, 23, 27), rgb(44, 46, 52), 6);
    for (int y = 111; y <= 117; ++y)
        for (int x = 0; x < W; ++x)
            if (grilleHole(x, y)) p.put(x, y, rgb(8, 8, 10));
    // The keys.
    for (const Key& k : keys) {
        Color top, bottom, ink = rgb(240, 242, 246);
        switch (k.kind) {
            case 1: top = rgb(96, 102, 116); bottom = rgb(52, 56, 66); break;
            case 2: top = rgb(206, 210, 216); bottom = rgb(150, 154, 162); ink = rgb(24, 26, 30); break;
            case 3: top = rgb(70, 120, 200); bottom = rgb(36, 70, 130); break;
            default: top = rgb(130, 134, 142); bottom = rgb(82, 86, 94); break;
        }
        p.key(k.x, k.y, k.w, k.h, top, bottom);
        if (*k.label) p.label(k.x, k.y, k.w, k.h, k.label, ink);
    }
    transportSymbols(p);
    p.text(50, 290, "ZAV AMP - 01", rgb(150, 156, 168));
    return b;
}

std::vector<std::uint8_t> regionData() {
    struct Run {
        int left, right;
        bool operator==(const Run&) const = default;
    };
    struct Band {
        int top, bottom;
        std::vector<Run> runs;
    };
    std::vector<Band> bands;
    for (int y = 0; y < H; ++y) {
        std::vector<Run> runs;
        for (int x = 0; x < W;) {
            if (!opaque(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < W && opaque(x, y)) ++x;
            runs.push_back({start, x});
        }
        if (runs.empty()) continue;
        if (!bands.empty() && bands.back().bottom == y && bands.back().runs == runs)
            bands.back().bottom = y + 1;
        else
            bands.push_back({y, y + 1, runs});
    }
    std::vector<std::int32_t> rects;
    int l = W, t = H, r = 0, b = 0;
    for (const Band& band : bands)
        for (const Run& run : band.runs) {
            rects.insert(rects.end(), {run.left, band.top, run.right, band.bottom});
            l = std::min(l, run.left);
            t = std::min(t, band.top);
            r = std::max(r, run.right);
            b = std::max(b, band.bottom);
        }
    const auto n = static_cast<std::int32_t>(rects.size() / 4);
    std::vector<std::int32_t> words = {32, 1, n, 16 * n, l, t, r, b};
    words.insert(words.end(), rects.begin(), rects.end());
    std::vector<std::uint8_t> out(words.size() * 4);
    for (std::size_t i = 0; i < words.size(); ++i)
        for (int k = 0; k < 4; ++k) out[i * 4 + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(words[i] >> (8 * k));
    return out;
}

std::vector<std::uint8_t> mask2Payload() {
    const auto block = regionData();
    const auto length = static_cast<std::uint32_t>(block.size());
    std::vector<std::uint8_t> out;
    out.reserve(4 + block.size());
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(length >> (8 * k)));
    out.insert(out.end(), block.begin(), block.end());
    return out;
}

fw::Bitmap statusPatch() { return fw::Bitmap(24, 17, silver); }

std::vector<std::uint8_t> trayIcon() {
    // The remote in miniature: body, display, keys.
    fw::Bitmap icon(32, 32, 0);
    std::vector<bool> solid(32 * 32, false);
    Painter p(icon);
    for (int y = 1; y < 31; ++y)
        for (int x = 8; x < 24; ++x) {
            const bool corner = (y < 3 || y > 28) && (x < 10 || x > 21);
            if (corner) continue;
            solid[static_cast<std::size_t>(y * 32 + x)] = true;
            p.put(x, y, x == 8 || y == 1 ? rgb(150, 156, 168) : Painter::mix(rgb(72, 76, 86), rgb(34, 36, 42), y / 31.0));
        }
    p.fill(10, 4, 12, 7, silver);
    p.fill(12, 6, 6, 3, rgb(20, 20, 24));
    p.fill(19, 5, 2, 2, rgb(40, 150, 60));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.fill(10 + col * 4, 13 + row * 4, 3, 2, row == 0 ? rgb(70, 120, 200) : rgb(206, 210, 216));
    p.fill(14, 28, 4, 1, rgb(170, 30, 30));

    std::vector<std::uint8_t> out;
    auto u16 = [&](unsigned v) { out.push_back(static_cast<std::uint8_t>(v)); out.push_back(static_cast<std::uint8_t>(v >> 8)); };
    auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    const std::uint32_t xorSize = 32 * 32 * 4, andSize = 32 * 4;
    u16(0); u16(1); u16(1);                                     // ICONDIR: one image
    out.push_back(32); out.push_back(32); out.push_back(0); out.push_back(0);
    u16(1); u16(32); u32(40 + xorSize + andSize); u32(22);      // ICONDIRENTRY
    u32(40); u32(32); u32(64); u16(1); u16(32); u32(0); u32(xorSize + andSize); u32(0); u32(0); u32(0); u32(0);
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; ++x) {
            const Color c = icon.pixel(x, y);
            const bool s = solid[static_cast<std::size_t>(y * 32 + x)];
            out.push_back(static_cast<std::uint8_t>(fw::blueOf(c)));
            out.push_back(static_cast<std::uint8_t>(fw::greenOf(c)));
            out.push_back(static_cast<std::uint8_t>(fw::redOf(c)));
            out.push_back(s ? 255 : 0);
        }
    for (int y = 31; y >= 0; --y) {
        std::uint32_t bits = 0;
        for (int x = 0; x < 32; ++x)
            if (!solid[static_cast<std::size_t>(y * 32 + x)]) bits |= 0x80000000u >> x;
        for (int k = 3; k >= 0; --k) out.push_back(static_cast<std::uint8_t>(bits >> (8 * k)));
    }
    return out;
}

}  // namespace skin
