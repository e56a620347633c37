// The read-out's segment geometry: which segments light for each
// character, the order an animated change brings them on, where the cells
// lie in the control, and the shape of each bar and point, as polygons or as
// rows of dots.
#include <cmath>

#include "widgets/lcd99.h"

namespace widgets {
namespace {

std::array<bool, 8> lit(const char* segments) {
    std::array<bool, 8> row{};
    for (const char* s = segments; *s; ++s) row[static_cast<std::size_t>(*s - '1')] = true;
    return row;
}

// Nearest integer, halves to the even neighbour.
int roundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

struct Bar {
    int x, y, length, thickness;
};

bool horizontal(int segment) {
    return segment == 1 || segment == 4 || segment == 7;
}
}  // namespace

const std::array<std::array<bool, 8>, 38> TLCD99::SegmentMasks{
    lit("123567"), lit("36"),      lit("13457"),  lit("13467"), lit("2346"),   lit("12467"),  lit("124567"),
    lit("136"),    lit("1234567"), lit("123467"), lit("4"),     lit("8"),      lit("123456"), lit("24567"),
    lit("1257"),   lit("34567"),   lit("12457"),  lit("1245"),  lit("124567"), lit("2456"),   lit("36"),
    lit("367"),    lit("23456"),   lit("257"),    lit("456"),   lit("456"),    lit("4567"),   lit("12345"),
    lit("12346"),  lit("45"),      lit("12467"),  lit("245"),   lit("23567"),  lit("23567"),  lit("23567"),
    lit("23456"),  lit("2346"),    lit("13457")};

const std::array<std::array<int, 8>, 6> TLCD99::SegmentOrder{{
    {1, 2, 3, 8, 4, 5, 6, 7},  // no animation: as anDown
    {8, 4, 2, 1, 3, 6, 7, 5},  // anSpiral
    {7, 6, 5, 8, 4, 3, 2, 1},  // anUp
    {1, 2, 3, 8, 4, 5, 6, 7},  // anDown
    {6, 3, 7, 8, 4, 1, 5, 2},  // anLeft
    {2, 5, 1, 8, 4, 7, 3, 6},  // anRight
}};

int TLCD99::maskIndex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c == '-') return 10;
    if (c == ':') return 11;
    if (c >= 'A' && c <= 'Z') return c - 53;
    return -1;
}

LcdGeometry TLCD99::geometry() const {
    LcdGeometry g;
    const int width = bounds().width(), height = bounds().height();
    const int S = segmentSize_;
    g.S = S;
    if (digitNum_ < 1) return g;
    if (!dotDisplay_) {
        g.DS = digitSpacing_ + 1;
        g.DW = (width - 1 - g.DS - digitNum_ * g.DS) / digitNum_;
        g.DH = height - 1;
        g.GX = gapX_;
        g.GY = gapY_;
    } else {
        g.DS = digitSpacing_;
        g.p = S + dotSpacing_;
        if (g.p == 0) return g;
        g.DW = (((width - 1) / digitNum_ - g.DS + dotSpacing_) / g.p) * g.p - dotSpacing_;
        g.DH = (((height - 1 - S) / 2) / g.p) * g.p * 2 + S;
    }
    g.HL = g.DW - 2 * g.GX;
    g.VL = g.DH / 2 - 2 * g.GY;
    g.valid = true;
    return g;
}

void TLCD99::drawPoint(fw::Canvas& canvas, const LcdGeometry& g, int cell, bool isLit) {
    const int e = std::min(g.DS - 2, g.S);
    const int xp = g.cellLeft(cell) - (g.DS + e) / 2;
    const fw::Color c = isLit ? onColor_ : offColor_;
    canvas.setPenColor(c);
    canvas.setBrushColor(c);
    const fw::Rect box{xp, g.DH - e, xp + e, g.DH};
    if (dotDisplay_)
        canvas.ellipse(box);
    else
        canvas.fillRect(box);
}

void TLCD99::drawSegment(fw::Canvas& canvas, const LcdGeometry& g, int cell, int segment, char ch,
                         bool isLit) {
    const int t = g.cellLeft(cell);
    const int S = g.S;
    const fw::Color color = isLit ? onColor_ : offColor_;
    canvas.setPenColor(color);
    canvas.setBrushColor(color);

    if (segment == 8) {
        const int w = g.HL / 3, h = g.VL / 3;
        const int x = t + (g.DW - w) / 2;
        for (const int y : {g.DH / 2 - 2 * h, g.DH / 2 + h}) canvas.ellipse({x, y, x + w, y + h});
        return;
    }
    const int lowerY = dotDisplay_ ? g.DH / 2 - S / 2 : g.DH / 2 + g.GY;
    Bar b{};
    switch (segment) {
        case 1:
            b = {t + g.GX, 0, g.HL, S};
            break;
        case 7:
            b = {t + g.GX, g.DH, g.HL, -S};
            break;
        case 4:
            b = {t + g.GX, g.DH / 2 - S / 2, g.HL, S};
            break;
        case 2:
            b = {t, g.GY, g.VL, S};
            break;
        case 3:
            b = {t + g.DW, g.GY, g.VL, -S};
            break;
        case 5:
            b = {t, lowerY, g.VL, S};
            break;
        case 6:
            b = {t + g.DW, lowerY, g.VL, -S};
            break;
        default:
            return;
    }

    if (!dotDisplay_) {
        const int x = b.x, y = b.y, L = b.length, T = b.thickness;
        if (horizontal(segment)) {
            const int r = roundHalfEven(T * (segment == 4 ? 0.5 : 0.25));
            const int s0 = segment == 4 ? S : S / 2;
            const fw::Point pts[] = {{x, y + r},         {x + s0, y},    {x + L - s0, y}, {x + L, y + r},
                                     {x + L - S, y + T}, {x + S, y + T}, {x, y + r}};
            canvas.polygon(pts);
        } else {
            const int r = roundHalfEven(T * 0.25);
            const fw::Point pts[] = {{x + r, y},         {x, y + S / 2}, {x, y + L - S / 2}, {x + r, y + L},
                                     {x + T, y + L - S}, {x + T, y + S}, {x + r, y}};
            canvas.polygon(pts);
        }
        return;
    }

    // Dot mode: an unlit segment leaves out its end dots where a lit
    // neighbour of the same character draws them, so a later unlit segment
    // never covers a lit corner dot.
    const int row = maskIndex(ch);
    auto on = [&](int s) {
        return row >= 0 && SegmentMasks[static_cast<std::size_t>(row)][static_cast<std::size_t>(s - 1)];
    };
    bool skipFirst = false, skipLast = false;
    if (!isLit) {
        switch (segment) {
            case 1:
                skipFirst = on(2);
                skipLast = on(3);
                break;
            case 7:
                skipFirst = on(5);
                skipLast = on(6);
                break;
            case 4:
                skipFirst = on(2) || on(5);
                skipLast = on(3) || on(6);
                break;
            case 2:
                skipFirst = on(1);
                skipLast = on(4) || on(5);
                break;
            case 3:
                skipFirst = on(1);
                skipLast = on(4) || on(6);
                break;
            case 5:
                skipFirst = on(2) || on(4);
                skipLast = on(7);
                break;
            case 6:
                skipFirst = on(3) || on(4);
                skipLast = on(7);
                break;
            default:
                break;
        }
    }
    const int T = segment == 4 ? S : (b.thickness < 0 ? -S : S);
    const int end = (horizontal(segment) ? b.x : b.y) + b.length;
    bool first = true;
    for (int pos = horizontal(segment) ? b.x : b.y; pos < end; pos += g.p) {
        const bool last = pos + g.p >= end;
        const bool skip = (first && skipFirst) || (last && skipLast);
        first = false;
        if (skip) continue;
        if (horizontal(segment))
            canvas.ellipse({pos, b.y, pos + S, b.y + T});
        else
            canvas.ellipse({b.x, pos, b.x + T, pos + S});
    }
}

}  // namespace widgets
