#include "platform/win32/gdi_canvas.h"

namespace win32 {
namespace {

RECT toRect(const fw::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// A memory context and bitmap of `size` layout pixels, held in screen
// pixels at the scale given.
class GdiSurface : public fw::Surface {
public:
    GdiSurface(HDC compatible, fw::Size size, DpiScale scale = DpiScale()) : size_(size) {
        const int width = scale.toScreen(size.width), height = scale.toScreen(size.height);
        dc_ = CreateCompatibleDC(compatible);
        bitmap_ = CreateCompatibleBitmap(compatible, width > 0 ? width : 1, height > 0 ? height : 1);
        old_ = SelectObject(dc_, bitmap_);
        canvas_ = std::make_unique<GdiCanvas>(dc_, scale);
    }
    ~GdiSurface() override {
        canvas_.reset();
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    fw::Canvas& canvas() override { return *canvas_; }
    fw::Size size() const override { return size_; }
    HDC dc() const { return dc_; }

private:
    fw::Size size_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    std::unique_ptr<GdiCanvas> canvas_;
};

}  // namespace

DibPicture::DibPicture(const fw::Bitmap& bitmap) {
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bitmap.width();
    info.bmiHeader.biHeight = -bitmap.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bits.reserve(bitmap.pixels().size());
    for (fw::Color c : bitmap.pixels())
        bits.push_back(static_cast<std::uint32_t>(fw::blueOf(c)) | (static_cast<std::uint32_t>(fw::greenOf(c)) << 8) |
                       (static_cast<std::uint32_t>(fw::redOf(c)) << 16));
}

GdiCanvas::GdiCanvas(HDC dc, DpiScale scale, POINT screenOrigin) : dc_(dc), savedState_(SaveDC(dc)), scale_(scale) {
    if (scale.identity() && screenOrigin.x == 0 && screenOrigin.y == 0) return;
    transformed_ = true;
    SetGraphicsMode(dc_, GM_ADVANCED);
    const auto f = static_cast<FLOAT>(scale.factor());
    const XFORM toScreen{f, 0, 0, f, static_cast<FLOAT>(-screenOrigin.x), static_cast<FLOAT>(-screenOrigin.y)};
    SetWorldTransform(dc_, &toScreen);
    // Pictures grow by whole pixels, never blurred.
    SetStretchBltMode(dc_, COLORONCOLOR);
}

void GdiCanvas::paintArea(HDC dc, const RECT& area, DpiScale scale,
                          const std::function<void(fw::Canvas&, const fw::Rect&)>& paint) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    if (scale.identity()) {
        GdiCanvas screen(dc);
        const fw::Rect layoutArea{area.left, area.top, area.right, area.bottom};
        auto buffer = screen.createSurface({width, height});
        fw::Canvas& canvas = buffer->canvas();
        canvas.pushViewport({-area.left, -area.top}, layoutArea);
        paint(canvas, layoutArea);
        canvas.popViewport();
        screen.drawSurface({area.left, area.top}, *buffer);
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    {
        GdiCanvas canvas(memory, scale, POINT{area.left, area.top});
        const fw::Rect layoutArea = scale.covering(area);
        IntersectClipRect(memory, layoutArea.left, layoutArea.top, layoutArea.right, layoutArea.bottom);
        paint(canvas, layoutArea);
    }
    BitBlt(dc, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

GdiCanvas::~GdiCanvas() {
    RestoreDC(dc_, savedState_);
    for (auto& [c, p] : pens_) DeleteObject(p);
    for (auto& [c, b] : brushes_) DeleteObject(b);
    for (auto& [f, h] : fonts_) DeleteObject(h);
}

HPEN GdiCanvas::pen(fw::Color c) {
    auto& p = pens_[c];
    if (!p) p = CreatePen(PS_SOLID, 1, c);
    return p;
}

HBRUSH GdiCanvas::brush(fw::Color c) {
    auto& b = brushes_[c];
    if (!b) b = CreateSolidBrush(c);
    return b;
}

HFONT GdiCanvas::fontHandle(const fw::Font& f) {
    for (auto& [known, handle] : fonts_)
        if (known == f) return handle;
    HFONT h = CreateFontA(-f.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                          f.name.c_str());
    fonts_.emplace_back(f, h);
    return h;
}

void GdiCanvas::selectOutlineAndFill() {
    SelectObject(dc_, pen(penColor()));
    SelectObject(dc_, brushStyle() == fw::BrushStyle::solid ? static_cast<HGDIOBJ>(brush(brushColor()))
                                                           : GetStockObject(NULL_BRUSH));
}

void GdiCanvas::fillRect(const fw::Rect& r) {
    const RECT rc = toRect(r);
    FillRect(dc_, &rc, brush(brushColor()));
}

void GdiCanvas::rectangle(const fw::Rect& r) {
    if (transformed_) {
        // Transformed, Rectangle would take in its right and bottom edges:
        // the outline is drawn as four strips a layout pixel wide instead.
        if (r.width() <= 0 || r.height() <= 0) return;
        if (brushStyle() == fw::BrushStyle::solid) {
            const RECT inside{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
            FillRect(dc_, &inside, brush(brushColor()));
        }
        HBRUSH edge = brush(penColor());
        for (const RECT strip : {RECT{r.left, r.top, r.right, r.top + 1}, RECT{r.left, r.bottom - 1, r.right, r.bottom},
                                 RECT{r.left, r.top, r.left + 1, r.bottom}, RECT{r.right - 1, r.top, r.right, r.bottom}})
            FillRect(dc_, &strip, edge);
        return;
    }
    selectOutlineAndFill();
    Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiCanvas::polygon(std::span<const fw::Point> points) {
    if (points.empty()) return;
    std::vector<POINT> pts;
    pts.reserve(points.size());
    for (const auto& p : points) pts.push_back(POINT{p.x, p.y});
    selectOutlineAndFill();
    Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
}

void GdiCanvas::ellipse(const fw::Rect& r) {
    selectOutlineAndFill();
    Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiCanvas::drawBitmap(fw::Point at, const fw::Bitmap& bitmap) {
    if (bitmap.empty()) return;
    const DibPicture dib(bitmap);
    if (transformed_) {
        StretchDIBits(dc_, at.x, at.y, bitmap.width(), bitmap.height(), 0, 0, bitmap.width(), bitmap.height(),
                      dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    SetDIBitsToDevice(dc_, at.x, at.y, static_cast<DWORD>(bitmap.width()), static_cast<DWORD>(bitmap.height()), 0, 0,
                      0, static_cast<UINT>(bitmap.height()), dib.bits.data(), &dib.info, DIB_RGB_COLORS);
}

void GdiCanvas::drawBitmapTransparent(fw::Point at, const fw::Bitmap& bitmap, fw::Color transparent) {
    if (bitmap.empty()) return;
    GdiSurface copy(dc_, {bitmap.width(), bitmap.height()});
    copy.canvas().drawBitmap({0, 0}, bitmap);
    GdiTransparentBlt(dc_, at.x, at.y, bitmap.width(), bitmap.height(), copy.dc(), 0, 0, bitmap.width(),
                      bitmap.height(), transparent);
}

void GdiCanvas::drawText(const fw::Rect& r, const std::string& text, unsigned flags) {
    SelectObject(dc_, fontHandle(font()));
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, font().color);
    RECT rc = toRect(r);
    UINT dt = DT_NOPREFIX;
    if (flags & fw::textCenter) dt |= DT_CENTER;
    if (flags & fw::textVCenter) dt |= DT_VCENTER;
    if (flags & fw::textSingleLine) dt |= DT_SINGLELINE;
    DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rc, dt);
}

fw::Size GdiCanvas::textExtent(const std::string& text) {
    SelectObject(dc_, fontHandle(font()));
    SIZE s{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &s);
    return {s.cx, s.cy};
}

std::unique_ptr<fw::Surface> GdiCanvas::createSurface(fw::Size size) {
    return std::make_unique<GdiSurface>(dc_, size, scale_);
}

void GdiCanvas::drawSurface(fw::Point at, fw::Surface& surface) {
    auto& gdi = static_cast<GdiSurface&>(surface);
    BitBlt(dc_, at.x, at.y, gdi.size().width, gdi.size().height, gdi.dc(), 0, 0, SRCCOPY);
}

void GdiCanvas::pushViewport(fw::Point origin, const fw::Rect& clip) {
    viewportStates_.push_back(SaveDC(dc_));
    if (transformed_) {
        // Moved in layout pixels, before the scale: exact at any DPI.
        const XFORM move{1, 0, 0, 1, static_cast<FLOAT>(origin.x), static_cast<FLOAT>(origin.y)};
        ModifyWorldTransform(dc_, &move, MWT_LEFTMULTIPLY);
    } else {
        OffsetViewportOrgEx(dc_, origin.x, origin.y, nullptr);
    }
    IntersectClipRect(dc_, clip.left, clip.top, clip.right, clip.bottom);
}

void GdiCanvas::popViewport() {
    if (viewportStates_.empty()) return;
    RestoreDC(dc_, viewportStates_.back());
    viewportStates_.pop_back();
}

}  // namespace win32
