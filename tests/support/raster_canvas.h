// A canvas that draws into a 24-bit pixel buffer, close to the window
// system's pixel rules (right and bottom edges excluded, outlines one pixel
// wide in the pen colour), so headless tests can look at pixels and save
// what a form shows as .bmp or .png.
#pragma once

#include <filesystem>
#include <vector>

#include "framework/canvas.h"
#include "support/viewport_stack.h"

namespace testing_support {

class RasterCanvas : public fw::Canvas {
public:
    explicit RasterCanvas(fw::Size size, fw::Color background = fw::colors::white);

    const fw::Bitmap& bitmap() const { return target_; }
    void saveBmp(const std::filesystem::path& path) const { target_.saveBmp(path); }
    // Through ImageMagick's convert, which the test set-up installs.
    bool savePng(const std::filesystem::path& path) const;

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
    void plot(int x, int y, fw::Color c);  // local coordinates, clipped
    void line(fw::Point a, fw::Point b, fw::Color c);
    void copyBitmap(fw::Point at, const fw::Bitmap& bitmap, const fw::Color* transparent);

    fw::Bitmap target_;
    ViewportStack viewports_;
};

}  // namespace testing_support
