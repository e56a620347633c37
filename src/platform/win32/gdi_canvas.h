// The framework's canvas over a GDI device context. Pens, brushes and fonts
// are made on demand and released with the canvas; a surface is a memory
// device context with a compatible bitmap.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "framework/canvas.h"

namespace win32 {

class GdiCanvas : public fw::Canvas {
public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return dc_; }

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
