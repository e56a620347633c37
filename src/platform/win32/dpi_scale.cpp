#include "platform/win32/dpi_scale.h"

namespace win32 {

int DpiScale::systemDpi() {
    // A system-aware program sees one DPI for its whole life.
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int d = screen ? GetDeviceCaps(screen, LOGPIXELSY) : layoutDpi;
        if (screen) ReleaseDC(nullptr, screen);
        return d > 0 ? d : layoutDpi;
    }();
    return dpi;
}

}  // namespace win32
