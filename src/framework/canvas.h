// The drawing surface every control paints on. Hosts supply the real ones
// (a GDI device context on Windows, a recording or a pixel buffer in tests).
// Coordinates follow the window system: a rectangle covers left..right-1 and
// top..bottom-1; filled shapes are outlined with the pen and filled with the
// brush, as GDI's Rectangle, Polygon and Ellipse do.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "framework/bitmap.h"
#include "framework/geometry.h"

namespace fw {

enum class BrushStyle { solid, clear };

struct Font {
    std::string name = "MS Sans Serif";
    int height = 13;  // pixels
    bool bold = false;
    Color color = colors::black;
    friend bool operator==(const Font&, const Font&) = default;
};

// Text placement flags, a subset of the window system's DrawText flags.
enum TextFlags : unsigned {
    textLeft = 0,
    textCenter = 1,
    textVCenter = 4,
    textSingleLine = 0x20,
};

class Canvas;

// An off-screen picture that can be drawn on and then copied in one step.
class Surface {
public:
    virtual ~Surface() = default;
    virtual Canvas& canvas() = 0;
    virtual Size size() const = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    void setPenColor(Color c) { penColor_ = c; }
    void setBrushColor(Color c) { brushColor_ = c; }
    void setBrushStyle(BrushStyle s) { brushStyle_ = s; }
    void setFont(const Font& f) { font_ = f; }
    Color penColor() const { return penColor_; }
    Color brushColor() const { return brushColor_; }
    BrushStyle brushStyle() const { return brushStyle_; }
    const Font& font() const { return font_; }

    // Fills with the brush colour and no outline.
    virtual void fillRect(const Rect& r) = 0;
    virtual void rectangle(const Rect& r) = 0;
    virtual void polygon(std::span<const Point> points) = 0;
    virtual void ellipse(const Rect& r) = 0;
    // Draws the whole bitmap with its top-left corner at `at`. With a
    // transparent colour, pixels of that colour leave the surface unchanged.
    virtual void drawBitmap(Point at, const Bitmap& bitmap) = 0;
    virtual void drawBitmapTransparent(Point at, const Bitmap& bitmap, Color transparent) = 0;
    virtual void drawText(const Rect& r, const std::string& text, unsigned flags) = 0;
    virtual Size textExtent(const std::string& text) = 0;

    virtual std::unique_ptr<Surface> createSurface(Size size) = 0;
    virtual void drawSurface(Point at, Surface& surface) = 0;

    // Moves the origin to `origin` (in the current coordinates) and clips to
    // `clip` (in the new coordinates); popViewport() undoes the last push.
    virtual void pushViewport(Point origin, const Rect& clip) = 0;
    virtual void popViewport() = 0;

private:
    Color penColor_ = colors::black;
    Color brushColor_ = colors::white;
    BrushStyle brushStyle_ = BrushStyle::solid;
    Font font_;
};

// Scoped viewport: a control paints from its own top-left corner and cannot
// draw outside its bounds.
class ViewportScope {
public:
    ViewportScope(Canvas& canvas, const Rect& bounds) : canvas_(canvas) {
        canvas_.pushViewport(bounds.topLeft(), Rect::fromSize(0, 0, bounds.width(), bounds.height()));
    }
    ~ViewportScope() { canvas_.popViewport(); }
    ViewportScope(const ViewportScope&) = delete;
    ViewportScope& operator=(const ViewportScope&) = delete;

private:
    Canvas& canvas_;
};

}  // namespace fw
