#include <gtest/gtest.h>
#include <windows.h>

#include <array>

#include "platform/win32/gdi_canvas.h"

namespace {

// A 32-bit top-down DIB section to draw on and read back exactly.
class PixelTarget {
public:
    PixelTarget(int w, int h) : width_(w) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < w * h; ++i) bits_[i] = 0xFFFFFF;
    }
    ~PixelTarget() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    fw::Color at(int x, int y) const {
        GdiFlush();
        const std::uint32_t v = bits_[y * width_ + x];
        return fw::rgb(static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF));
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    std::uint32_t* bits_ = nullptr;
};

struct PixelCase {
    fw::Point at;
    fw::Color expected;
};

void expectPixels(const PixelTarget& t, std::initializer_list<PixelCase> cases, const char* shape) {
    for (const auto& c : cases)
        EXPECT_EQ(t.at(c.at.x, c.at.y), c.expected) << shape << " at " << c.at.x << "," << c.at.y;
}

TEST(GdiCanvas, RectangleOutlinesWithThePenAndFillsWithTheBrushExcludingRightAndBottom) {
    PixelTarget t(40, 40);
    {
        win32::GdiCanvas canvas(t.dc());
        canvas.setPenColor(fw::colors::blue);
        canvas.setBrushColor(fw::colors::red);
        canvas.rectangle({10, 10, 20, 20});
    }
    expectPixels(t, {{{10, 10}, fw::colors::blue}, {{19, 19}, fw::colors::blue}, {{15, 15}, fw::colors::red},
                     {{20, 20}, fw::colors::white}, {{9, 15}, fw::colors::white}},
                 "rectangle");
}

TEST(GdiCanvas, PolygonAndEllipseFillTheirInsides) {
    PixelTarget t(60, 40);
    {
        win32::GdiCanvas canvas(t.dc());
        canvas.setPenColor(fw::colors::black);
        canvas.setBrushColor(fw::colors::lime);
        const std::array<fw::Point, 3> triangle{{{0, 0}, {20, 0}, {0, 20}}};
        canvas.polygon(triangle);
        canvas.setBrushColor(fw::colors::blue);
        canvas.ellipse({30, 10, 50, 30});
    }
    expectPixels(t, {{{4, 4}, fw::colors::lime}, {{18, 18}, fw::colors::white}, {{0, 0}, fw::colors::black}},
                 "polygon");
    expectPixels(t, {{{40, 20}, fw::colors::blue}, {{30, 10}, fw::colors::white}, {{49, 29}, fw::colors::white}},
                 "ellipse");
}

TEST(GdiCanvas, ViewportMovesTheOriginAndClips) {
    PixelTarget t(40, 40);
    {
        win32::GdiCanvas canvas(t.dc());
        canvas.setBrushColor(fw::colors::red);
        canvas.pushViewport({10, 10}, {0, 0, 5, 5});
        canvas.fillRect({0, 0, 20, 20});
        canvas.popViewport();
        canvas.fillRect({30, 30, 32, 32});
    }
    expectPixels(t, {{{10, 10}, fw::colors::red}, {{14, 14}, fw::colors::red}, {{15, 15}, fw::colors::white},
                     {{9, 9}, fw::colors::white}, {{31, 31}, fw::colors::red}},
                 "viewport");
}

TEST(GdiCanvas, BitmapsAndTransparentBitmapsAndSurfaces) {
    PixelTarget t(40, 40);
    fw::Bitmap picture(4, 4, fw::colors::olive);
    picture.setPixel(1, 1, fw::colors::red);
    {
        win32::GdiCanvas canvas(t.dc());
        canvas.drawBitmap({0, 0}, picture);
        canvas.drawBitmapTransparent({10, 10}, picture, fw::colors::olive);
        auto surface = canvas.createSurface({5, 5});
        surface->canvas().setBrushColor(fw::colors::blue);
        surface->canvas().fillRect({0, 0, 5, 5});
        canvas.drawSurface({20, 20}, *surface);
    }
    expectPixels(t, {{{0, 0}, fw::colors::olive}, {{1, 1}, fw::colors::red}, {{10, 10}, fw::colors::white},
                     {{11, 11}, fw::colors::red}, {{20, 20}, fw::colors::blue}, {{24, 24}, fw::colors::blue},
                     {{25, 25}, fw::colors::white}},
                 "bitmaps");
}

}  // namespace
