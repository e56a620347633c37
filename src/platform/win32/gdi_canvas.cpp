#include "platform/win32/gdi_canvas.h"

namespace win32 {
namespace {

RECT toRect(const fw::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

class GdiSurface : public fw::Surface {
public:
    GdiSurface(HDC compatible, fw::Size size) : size_(size) {
        dc_ = CreateCompatibleDC(compatible);
        bitmap_ = CreateCompatibleBitmap(compatible, size.width > 0 ? size.width : 1,
                                         size.height > 0 ? size.height : 1);
        old_ = SelectObject(dc_, bitmap_);
        canvas_ = std::make_unique<GdiCanvas>(dc_);
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

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), savedState_(SaveDC(dc)) {}

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

std::unique_ptr<fw::Surface> GdiCanvas::createSurface(fw::Size size) { return std::make_unique<GdiSurface>(dc_, size); }

void GdiCanvas::drawSurface(fw::Point at, fw::Surface& surface) {
    auto& gdi = static_cast<GdiSurface&>(surface);
    BitBlt(dc_, at.x, at.y, gdi.size().width, gdi.size().height, gdi.dc(), 0, 0, SRCCOPY);
}

void GdiCanvas::pushViewport(fw::Point origin, const fw::Rect& clip) {
    viewportStates_.push_back(SaveDC(dc_));
    OffsetViewportOrgEx(dc_, origin.x, origin.y, nullptr);
    IntersectClipRect(dc_, clip.left, clip.top, clip.right, clip.bottom);
}

void GdiCanvas::popViewport() {
    if (viewportStates_.empty()) return;
    RestoreDC(dc_, viewportStates_.back());
    viewportStates_.pop_back();
}

}  // namespace win32
