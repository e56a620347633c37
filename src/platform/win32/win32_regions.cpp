#include "platform/win32/win32_regions.h"

#include <windows.h>

#include "platform/win32/form_window.h"

namespace win32 {

platform::RegionHandle Win32Regions::create(const std::uint8_t* data, std::uint32_t size) {
    return reinterpret_cast<platform::RegionHandle>(
        ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(data)));
}

bool Win32Regions::apply(fw::WindowHandle window, platform::RegionHandle region) {
    const HWND hwnd = reinterpret_cast<HWND>(window);
    auto rgn = reinterpret_cast<HRGN>(region);
    const FormWindow* form = FormWindow::fromHandle(hwnd);
    const DpiScale scale = form ? form->scale() : DpiScale();
    if (!scale.identity()) {
        // The outline is stored in layout pixels: the window gets it at its
        // scale, and the region as stored is released.
        std::vector<std::uint8_t> block = data(region);
        if (block.size() < sizeof(RGNDATAHEADER)) return false;
        auto* header = reinterpret_cast<RGNDATA*>(block.data());
        auto* rects = reinterpret_cast<RECT*>(header->Buffer);
        const auto toScreen = [&](const RECT& r) { return scale.toScreen(fw::Rect{r.left, r.top, r.right, r.bottom}); };
        for (DWORD i = 0; i < header->rdh.nCount; ++i) rects[i] = toScreen(rects[i]);
        header->rdh.rcBound = toScreen(header->rdh.rcBound);
        HRGN scaled = ExtCreateRegion(nullptr, static_cast<DWORD>(block.size()), header);
        if (!scaled) return false;
        if (!SetWindowRgn(hwnd, scaled, TRUE)) {
            DeleteObject(scaled);
            return false;
        }
        DeleteObject(rgn);
        return true;
    }
    return SetWindowRgn(hwnd, rgn, TRUE) != 0;
}

std::vector<std::uint8_t> Win32Regions::data(platform::RegionHandle region) {
    const DWORD size = GetRegionData(reinterpret_cast<HRGN>(region), 0, nullptr);
    std::vector<std::uint8_t> block(size);
    if (size == 0 || GetRegionData(reinterpret_cast<HRGN>(region), size, reinterpret_cast<RGNDATA*>(block.data())) == 0)
        block.clear();
    return block;
}

void Win32Regions::destroy(platform::RegionHandle region) { DeleteObject(reinterpret_cast<HRGN>(region)); }

}  // namespace win32
