// How a window's layout, in the pixels of a 96-DPI screen, maps to the
// screen's own pixels. The program declares itself DPI-aware, so the
// system stretches nothing: a dialog is laid out afresh at the screen's DPI,
// and the skinned window grows by whole multiples only, so that its picture
// stays sharp (at 150% it stays one to one, at 200% every pixel is doubled).
#pragma once

#include <windows.h>

#include "framework/geometry.h"

namespace win32 {

class DpiScale {
public:
    static constexpr int layoutDpi = 96;

    explicit DpiScale(int dpi = layoutDpi) : dpi_(dpi < layoutDpi ? layoutDpi : dpi) {}
    // The screen's DPI as the system tells this (system-aware) program.
    static int systemDpi();
    // For a window with a frame and standard controls: the screen's DPI.
    static DpiScale forDialogs() { return DpiScale(systemDpi()); }
    // For a picture: whole multiples of the layout only.
    static DpiScale forPictures() { return forPictures(systemDpi()); }
    static DpiScale forPictures(int dpi) { return DpiScale(dpi / layoutDpi * layoutDpi); }

    int dpi() const { return dpi_; }
    bool identity() const { return dpi_ == layoutDpi; }
    double factor() const { return static_cast<double>(dpi_) / layoutDpi; }

    // Edges go to the nearest screen pixel, so neighbours stay neighbours.
    int toScreen(int v) const { return MulDiv(v, dpi_, layoutDpi); }
    RECT toScreen(const fw::Rect& r) const {
        return RECT{toScreen(r.left), toScreen(r.top), toScreen(r.right), toScreen(r.bottom)};
    }
    // Every screen pixel that `r` touches, even in part: what a change
    // within `r` must have repainted.
    RECT touched(const fw::Rect& r) const {
        return RECT{floorTo(r.left, dpi_, layoutDpi), floorTo(r.top, dpi_, layoutDpi),
                    -floorTo(-r.right, dpi_, layoutDpi), -floorTo(-r.bottom, dpi_, layoutDpi)};
    }
    // What covers every screen pixel of `r`, in layout pixels.
    fw::Rect covering(const RECT& r) const {
        return fw::Rect{floorToLayout(r.left), floorToLayout(r.top), ceilToLayout(r.right), ceilToLayout(r.bottom)};
    }
    // A screen pixel's place in the layout.
    fw::Point toLayout(int x, int y) const { return fw::Point{floorToLayout(x), floorToLayout(y)}; }

private:
    // v * to / from, rounded down.
    static int floorTo(int v, int to, int from) {
        const long long n = static_cast<long long>(v) * to;
        return static_cast<int>(n >= 0 ? n / from : -((-n + from - 1) / from));
    }
    int floorToLayout(int v) const { return floorTo(v, layoutDpi, dpi_); }
    int ceilToLayout(int v) const { return -floorToLayout(-v); }

    int dpi_;
};

}  // namespace win32
