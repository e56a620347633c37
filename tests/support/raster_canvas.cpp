#include "support/raster_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace testing_support {
namespace {

class RasterSurface : public fw::Surface {
public:
    explicit RasterSurface(fw::Size size) : canvas_(size, fw::colors::black) {}
    fw::Canvas& canvas() override { return canvas_; }
    fw::Size size() const override { return {canvas_.bitmap().width(), canvas_.bitmap().height()}; }
    const fw::Bitmap& bitmap() const { return canvas_.bitmap(); }

private:
    RasterCanvas canvas_;
};

fw::Rect normalised(const fw::Rect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

}  // namespace

RasterCanvas::RasterCanvas(fw::Size size, fw::Color background)
    : target_(size.width, size.height, background), viewports_(size) {}

bool RasterCanvas::savePng(const std::filesystem::path& path) const {
    const auto bmp = std::filesystem::path(path).replace_extension(".bmp");
    saveBmp(bmp);
    const std::string cmd = "convert '" + bmp.string() + "' '" + path.string() + "' >/dev/null 2>&1";
    const bool ok = std::system(cmd.c_str()) == 0;
    std::filesystem::remove(bmp);
    return ok;
}

void RasterCanvas::plot(int x, int y, fw::Color c) {
    const fw::Point abs{x + viewports_.origin().x, y + viewports_.origin().y};
    if (viewports_.clip().contains(abs)) target_.setPixel(abs.x, abs.y, c);
}

void RasterCanvas::fillRect(const fw::Rect& r) {
    const fw::Rect n = normalised(r);
    for (int y = n.top; y < n.bottom; ++y)
        for (int x = n.left; x < n.right; ++x) plot(x, y, brushColor());
}

void RasterCanvas::rectangle(const fw::Rect& r) {
    const fw::Rect n = normalised(r);
    if (n.empty()) return;
    if (brushStyle() == fw::BrushStyle::solid) fillRect({n.left + 1, n.top + 1, n.right - 1, n.bottom - 1});
    for (int x = n.left; x < n.right; ++x) {
        plot(x, n.top, penColor());
        plot(x, n.bottom - 1, penColor());
    }
    for (int y = n.top; y < n.bottom; ++y) {
        plot(n.left, y, penColor());
        plot(n.right - 1, y, penColor());
    }
}

void RasterCanvas::line(fw::Point a, fw::Point b, fw::Color c) {
    int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
    int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(a.x, a.y, c);
        if (a.x == b.x && a.y == b.y) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            a.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            a.y += sy;
        }
    }
}

void RasterCanvas::polygon(std::span<const fw::Point> points) {
    if (points.empty()) return;
    if (brushStyle() == fw::BrushStyle::solid) {
        int top = points[0].y, bottom = points[0].y;
        for (const auto& p : points) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        // Even-odd fill sampled at pixel centres.
        for (int y = top; y < bottom; ++y) {
            const double cy = y + 0.5;
            std::vector<double> xs;
            for (std::size_t i = 0; i < points.size(); ++i) {
                const fw::Point a = points[i], b = points[(i + 1) % points.size()];
                if ((a.y <= cy) == (b.y <= cy)) continue;
                xs.push_back(a.x + (cy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
            }
            std::sort(xs.begin(), xs.end());
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
                for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x < static_cast<int>(std::ceil(xs[i + 1] - 0.5)); ++x)
                    plot(x, y, brushColor());
        }
    }
    for (std::size_t i = 0; i < points.size(); ++i) line(points[i], points[(i + 1) % points.size()], penColor());
}

void RasterCanvas::ellipse(const fw::Rect& r) {
    const fw::Rect n = normalised(r);
    if (n.empty()) return;
    const double cx = (n.left + n.right) / 2.0, cy = (n.top + n.bottom) / 2.0;
    const double rx = n.width() / 2.0, ry = n.height() / 2.0;
    auto inside = [&](int x, int y) {
        const double ex = (x + 0.5 - cx) / rx, ey = (y + 0.5 - cy) / ry;
        return ex * ex + ey * ey <= 1.0;
    };
    for (int y = n.top; y < n.bottom; ++y)
        for (int x = n.left; x < n.right; ++x) {
            if (!inside(x, y)) continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (edge)
                plot(x, y, penColor());
            else if (brushStyle() == fw::BrushStyle::solid)
                plot(x, y, brushColor());
        }
}

void RasterCanvas::copyBitmap(fw::Point at, const fw::Bitmap& bitmap, const fw::Color* transparent) {
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const fw::Color c = bitmap.pixel(x, y);
            if (!transparent || c != *transparent) plot(at.x + x, at.y + y, c);
        }
}

void RasterCanvas::drawBitmap(fw::Point at, const fw::Bitmap& bitmap) { copyBitmap(at, bitmap, nullptr); }

void RasterCanvas::drawBitmapTransparent(fw::Point at, const fw::Bitmap& bitmap, fw::Color transparent) {
    copyBitmap(at, bitmap, &transparent);
}

// Text is shown as a filled box per character: enough to see where it lies.
void RasterCanvas::drawText(const fw::Rect& r, const std::string& text, unsigned flags) {
    const fw::Size ext = textExtent(text);
    int x = r.left, y = r.top;
    if (flags & fw::textCenter) x = r.left + (r.width() - ext.width) / 2;
    if (flags & fw::textVCenter) y = r.top + (r.height() - ext.height) / 2;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != ' ')
            for (int py = y + 3; py < y + ext.height - 2; ++py)
                for (int px = x + static_cast<int>(i) * 6 + 1; px < x + static_cast<int>(i) * 6 + 5; ++px)
                    plot(px, py, font().color);
}

fw::Size RasterCanvas::textExtent(const std::string& text) {
    return {static_cast<int>(text.size()) * 6, text.empty() ? 0 : 13};
}

std::unique_ptr<fw::Surface> RasterCanvas::createSurface(fw::Size size) { return std::make_unique<RasterSurface>(size); }

void RasterCanvas::drawSurface(fw::Point at, fw::Surface& surface) {
    if (auto* raster = dynamic_cast<RasterSurface*>(&surface)) copyBitmap(at, raster->bitmap(), nullptr);
}

void RasterCanvas::pushViewport(fw::Point origin, const fw::Rect& clip) { viewports_.push(origin, clip); }

void RasterCanvas::popViewport() { viewports_.pop(); }

}  // namespace testing_support
