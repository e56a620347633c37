// Plain value types shared by the framework and its hosts: points, sizes,
// rectangles with exclusive right/bottom edges (as the window system uses
// them) and colours in the window system's 0x00BBGGRR layout.
#pragma once

#include <algorithm>
#include <cstdint>

namespace fw {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect fromSize(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr Rect offset(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr Rect intersect(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        if (r.empty()) return {};
        return r;
    }
    constexpr Point topLeft() const { return {left, top}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// 0x00BBGGRR, the window system's colour reference layout.
using Color = std::uint32_t;

constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

namespace colors {
constexpr Color black = rgb(0, 0, 0);
constexpr Color white = rgb(255, 255, 255);
constexpr Color silver = rgb(192, 192, 192);
constexpr Color gray = rgb(128, 128, 128);
constexpr Color red = rgb(255, 0, 0);
constexpr Color lime = rgb(0, 255, 0);
constexpr Color blue = rgb(0, 0, 255);
constexpr Color olive = rgb(128, 128, 0);
constexpr Color buttonFace = rgb(240, 240, 240);
}  // namespace colors

}  // namespace fw
