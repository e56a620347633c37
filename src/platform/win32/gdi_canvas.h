// The framework's canvas over a GDI device context. Pens, brushes and fonts
// are made on demand and released with the canvas; a surface is a memory
// device context with a compatible bitmap. A canvas with a DPI scale takes
// layout pixels and draws in screen pixels through the context's world
// transform: lines, text and pictures grow with it.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include <functional>

#include "framework/canvas.h"
#include "platform/win32/dpi_scale.h"

namespace win32 {

class GdiCanvas : public fw::Canvas {
public:
    // `screenOrigin`: the screen pixel that the context's own (0, 0) stands
    // for, when the context holds only part of a window.
    explicit GdiCanvas(HDC dc, DpiScale scale = DpiScale(), POINT screenOrigin = {0, 0});
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return dc_; }

    // Paints the screen pixels `area` of a window through a canvas in layout
    // pixels, composed off-screen and copied in one step (no flicker); the
    // function gets the layout area that covers them.
    static void paintArea(HDC dc, const RECT& area, DpiScale scale,
                          const std::function<void(fw::Canvas&, const fw::Rect&)>& paint);

    void fillRect(const fw::Rect& r) override;
    void rectangle(const fw::Rect& r) override;
    void polygon(std::span<const fw::Point> points) override;
    void ellipse(const fw::Rect& r) override;
    void drawBitmap(fw::Point at, const fw::Bitmap& bitmap) override;
    void drawBitmapTransparent(fw::Point at, const fw::Bitmap& bitmap, fw::Color transparent) override;
    void drawText(const fw::Rect& r, const std::string& text, unsigned flags) override;
    fw::Size textExtent(const std::string& text) override;
    std::unique_ptr<fw::Surface> createSurface(fw::Size size) override;
    void drawSurface(fw::Point at, fw::Surface& surface) override;
    void pushViewport(fw::Point origin, const fw::Rect& clip) override;
    void popViewport() override;

private:
    HPEN pen(fw::Color c);
    HBRUSH brush(fw::Color c);
    HFONT fontHandle(const fw::Font& f);
    void selectOutlineAndFill();

    HDC dc_;
    int savedState_;
    DpiScale scale_;
    // Drawn through the world transform (scaled or moved).
    bool transformed_ = false;
    std::vector<int> viewportStates_;
    std::map<fw::Color, HPEN> pens_;
    std::map<fw::Color, HBRUSH> brushes_;
    std::vector<std::pair<fw::Font, HFONT>> fonts_;
};

// A device-independent copy of a bitmap for the GDI calls that blit.
struct DibPicture {
    explicit DibPicture(const fw::Bitmap& bitmap);
    BITMAPINFO info{};
    std::vector<std::uint32_t> bits;  // 0x00RRGGBB, top row first
};

}  // namespace win32
