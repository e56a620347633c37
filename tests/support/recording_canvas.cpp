#include "support/recording_canvas.h"

namespace testing_support {
namespace {

class RecordingSurface : public fw::Surface {
public:
    RecordingSurface(std::unique_ptr<RecordingCanvas> canvas, fw::Size size)
        : canvas_(std::move(canvas)), size_(size) {}
    fw::Canvas& canvas() override { return *canvas_; }
    fw::Size size() const override { return size_; }

private:
    std::unique_ptr<RecordingCanvas> canvas_;
    fw::Size size_;
};

}  // namespace

RecordingCanvas::RecordingCanvas(fw::Size size)
    : RecordingCanvas(std::make_shared<std::vector<DrawCall>>(), size, false) {}

RecordingCanvas::RecordingCanvas(std::shared_ptr<std::vector<DrawCall>> log, fw::Size size, bool offscreen)
    : calls_(std::move(log)), viewports_(size), offscreen_(offscreen) {}

std::vector<DrawCall> RecordingCanvas::callsOf(DrawCall::Kind kind) const {
    std::vector<DrawCall> out;
    for (const auto& c : *calls_)
        if (c.kind == kind) out.push_back(c);
    return out;
}

DrawCall RecordingCanvas::base(DrawCall::Kind kind) const {
    DrawCall c{kind, {}, {}, penColor(), brushColor(), brushStyle(), {}, viewports_.clip(), offscreen_, {}};
    return c;
}

fw::Rect RecordingCanvas::toWindow(const fw::Rect& r) const {
    const fw::Point o = viewports_.origin();
    return r.offset(o.x, o.y);
}

void RecordingCanvas::fillRect(const fw::Rect& r) {
    auto c = base(DrawCall::Kind::fillRect);
    c.rect = toWindow(r);
    calls_->push_back(c);
}

void RecordingCanvas::rectangle(const fw::Rect& r) {
    auto c = base(DrawCall::Kind::rectangle);
    c.rect = toWindow(r);
    calls_->push_back(c);
}

void RecordingCanvas::polygon(std::span<const fw::Point> points) {
    auto c = base(DrawCall::Kind::polygon);
    const fw::Point o = viewports_.origin();
    for (const auto& p : points) c.points.push_back({p.x + o.x, p.y + o.y});
    calls_->push_back(c);
}

void RecordingCanvas::ellipse(const fw::Rect& r) {
    auto c = base(DrawCall::Kind::ellipse);
    c.rect = toWindow(r);
    calls_->push_back(c);
}

void RecordingCanvas::drawBitmap(fw::Point at, const fw::Bitmap& bitmap) {
    auto c = base(DrawCall::Kind::bitmap);
    c.rect = toWindow(fw::Rect::fromSize(at.x, at.y, bitmap.width(), bitmap.height()));
    calls_->push_back(c);
}

void RecordingCanvas::drawBitmapTransparent(fw::Point at, const fw::Bitmap& bitmap, fw::Color transparent) {
    drawBitmap(at, bitmap);
    calls_->back().transparent = transparent;
}

void RecordingCanvas::drawText(const fw::Rect& r, const std::string& text, unsigned) {
    auto c = base(DrawCall::Kind::text);
    c.rect = toWindow(r);
    c.text = text;
    calls_->push_back(c);
}

// A fixed-pitch stand-in for a font: 6 x 13 pixels a character.
fw::Size RecordingCanvas::textExtent(const std::string& text) {
    return {static_cast<int>(text.size()) * 6, text.empty() ? 0 : 13};
}

std::unique_ptr<fw::Surface> RecordingCanvas::createSurface(fw::Size size) {
    auto canvas = std::unique_ptr<RecordingCanvas>(new RecordingCanvas(calls_, size, true));
    return std::make_unique<RecordingSurface>(std::move(canvas), size);
}

void RecordingCanvas::drawSurface(fw::Point at, fw::Surface& surface) {
    auto c = base(DrawCall::Kind::copySurface);
    c.rect = toWindow(fw::Rect::fromSize(at.x, at.y, surface.size().width, surface.size().height));
    calls_->push_back(c);
}

void RecordingCanvas::pushViewport(fw::Point origin, const fw::Rect& clip) { viewports_.push(origin, clip); }

void RecordingCanvas::popViewport() { viewports_.pop(); }

}  // namespace testing_support
