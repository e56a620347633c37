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

// At twice the layout's DPI every layout pixel is a block of two by two
// screen pixels: outlines, fills, pictures, surfaces and viewports alike.
TEST(GdiCanvas, AtTwiceTheDpiEveryLayoutPixelIsTwoByTwoScreenPixels) {
    PixelTarget t(80, 80);
    fw::Bitmap picture(2, 2, fw::colors::olive);
    picture.setPixel(1, 1, fw::colors::red);
    {
        win32::GdiCanvas canvas(t.dc(), win32::DpiScale(192));
        canvas.setPenColor(fw::colors::blue);
        canvas.setBrushColor(fw::colors::red);
        canvas.rectangle({2, 2, 6, 6});
        canvas.drawBitmap({10, 0}, picture);
        canvas.drawBitmapTransparent({10, 10}, picture, fw::colors::olive);
        auto surface = canvas.createSurface({3, 3});
        surface->canvas().setBrushColor(fw::colors::lime);
        surface->canvas().fillRect({0, 0, 3, 3});
        canvas.drawSurface({20, 20}, *surface);
        canvas.setBrushColor(fw::colors::black);
        canvas.pushViewport({30, 30}, {0, 0, 2, 2});
        canvas.fillRect({0, 0, 5, 5});
        canvas.popViewport();
    }
    expectPixels(t, {{{4, 4}, fw::colors::blue}, {{5, 5}, fw::colors::blue}, {{6, 6}, fw::colors::red},
                     {{11, 11}, fw::colors::blue}, {{10, 6}, fw::colors::blue}, {{12, 12}, fw::colors::white}},
                 "rectangle");
    expectPixels(t, {{{20, 0}, fw::colors::olive}, {{21, 1}, fw::colors::olive}, {{22, 2}, fw::colors::red},
                     {{23, 3}, fw::colors::red}, {{24, 4}, fw::colors::white}},
                 "picture");
    expectPixels(t, {{{20, 20}, fw::colors::white}, {{22, 22}, fw::colors::red}, {{23, 23}, fw::colors::red}},
                 "transparent picture");
    expectPixels(t, {{{40, 40}, fw::colors::lime}, {{45, 45}, fw::colors::lime}, {{46, 46}, fw::colors::white}},
                 "surface");
    expectPixels(t, {{{60, 60}, fw::colors::black}, {{63, 63}, fw::colors::black}, {{64, 64}, fw::colors::white},
                     {{59, 59}, fw::colors::white}},
                 "viewport");
}

TEST(GdiCanvas, APaintedAreaOfTheScreenIsDrawnFromTheLayoutAreaCoveringIt) {
    PixelTarget t(40, 40);
    fw::Rect asked;
    win32::GdiCanvas::paintArea(t.dc(), RECT{10, 10, 21, 21}, win32::DpiScale(192),
                                [&](fw::Canvas& canvas, const fw::Rect& area) {
                                    asked = area;
                                    canvas.setBrushColor(fw::colors::blue);
                                    canvas.fillRect({0, 0, 100, 100});
                                    canvas.setBrushColor(fw::colors::red);
                                    canvas.fillRect({6, 6, 7, 7});
                                });
    EXPECT_EQ(asked, (fw::Rect{5, 5, 11, 11})) << "half-covered layout pixels included";
    expectPixels(t, {{{10, 10}, fw::colors::blue}, {{12, 12}, fw::colors::red}, {{13, 13}, fw::colors::red},
                     {{20, 20}, fw::colors::blue}, {{21, 21}, fw::colors::white}, {{9, 9}, fw::colors::white}},
                 "painted area");
}

struct ScaleCase {
    int dpi;
    int screenOf7;           // where layout pixel 7 starts on the screen
    fw::Rect coveringOf3To8;  // the layout area covering screen pixels 3 to 8
    fw::Point layoutOf5;     // the layout pixel of screen pixel 5
};

class DpiScales : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DpiScales, MapEdgesToTheNearestPixelAndCoverWhatIsAsked) {
    const win32::DpiScale scale(GetParam().dpi);
    EXPECT_EQ(scale.toScreen(7), GetParam().screenOf7);
    EXPECT_EQ(scale.covering(RECT{3, 3, 9, 9}), GetParam().coveringOf3To8);
    EXPECT_EQ(scale.toLayout(5, 5), GetParam().layoutOf5);
    for (int v = -20; v <= 20; ++v) {
        const RECT screen{v, v, v + 1, v + 1};
        const fw::Rect layout = scale.covering(screen);
        const RECT back = scale.toScreen(layout);
        EXPECT_TRUE(back.left <= screen.left && back.right >= screen.right) << "pixel " << v;
    }
}

INSTANTIATE_TEST_SUITE_P(Dpis, DpiScales,
                         ::testing::Values(ScaleCase{96, 7, {3, 3, 9, 9}, {5, 5}}, ScaleCase{120, 9, {2, 2, 8, 8}, {4, 4}},
                                           ScaleCase{144, 11, {2, 2, 6, 6}, {3, 3}},
                                           ScaleCase{192, 14, {1, 1, 5, 5}, {2, 2}}),
                         [](const auto& info) { return std::to_string(info.param.dpi); });

TEST(DpiScale, PicturesGrowByWholeMultiplesOnlyAndNothingShrinks) {
    for (const auto& [screen, picture] : {std::pair{72, 96}, {96, 96}, {120, 96}, {144, 96}, {191, 96}, {192, 192},
                                          {240, 192}, {288, 288}})
        EXPECT_EQ(win32::DpiScale::forPictures(screen).dpi(), picture) << screen << " DPI";
    EXPECT_EQ(win32::DpiScale(72).dpi(), 96) << "a dialog never shrinks below its layout";
}

TEST(DpiScale, AChangeRepaintsEveryScreenPixelItTouches) {
    const win32::DpiScale scale(144);
    const RECT r = scale.touched({1, 1, 2, 2});
    EXPECT_EQ(r.left, 1) << "layout pixel 1 starts at 1.5: pixel 1 is half in it";
    EXPECT_EQ(r.right, 3);
}

}  // namespace
