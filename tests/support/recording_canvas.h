// A canvas that keeps a list of the drawing calls made on it, with their
// arguments in window coordinates, so tests can assert what was drawn.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/canvas.h"
#include "support/viewport_stack.h"

namespace testing_support {

struct DrawCall {
    enum class Kind { fillRect, rectangle, polygon, ellipse, bitmap, text, copySurface };
    Kind kind;
    fw::Rect rect;                 // in window coordinates
    std::vector<fw::Point> points; // in window coordinates
    fw::Color pen = 0;
    fw::Color brush = 0;
    fw::BrushStyle brushStyle = fw::BrushStyle::solid;
    std::string text;
    fw::Rect clip;                 // the clip in force, window coordinates
    bool offscreen = false;        // drawn into an off-screen surface
    std::optional<fw::Color> transparent;
};

class RecordingCanvas : public fw::Canvas {
public:
    explicit RecordingCanvas(fw::Size size = {4096, 4096});

    const std::vector<DrawCall>& calls() const { return *calls_; }
    void clear() { calls_->clear(); }
    std::vector<DrawCall> callsOf(DrawCall::Kind kind) const;

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
    RecordingCanvas(std::shared_ptr<std::vector<DrawCall>> log, fw::Size size, bool offscreen);
    DrawCall base(DrawCall::Kind kind) const;
    fw::Rect toWindow(const fw::Rect& r) const;

    std::shared_ptr<std::vector<DrawCall>> calls_;
    ViewportStack viewports_;
    bool offscreen_ = false;
};

}  // namespace testing_support
