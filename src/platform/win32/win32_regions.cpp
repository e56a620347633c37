#include "platform/win32/win32_regions.h"

#include <windows.h>

namespace win32 {

platform::RegionHandle Win32Regions::create(const std::uint8_t* data, std::uint32_t size) {
    return reinterpret_cast<platform::RegionHandle>(
        ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(data)));
}

bool Win32Regions::apply(fw::WindowHandle window, platform::RegionHandle region) {
    return SetWindowRgn(reinterpret_cast<HWND>(window), reinterpret_cast<HRGN>(region), TRUE) != 0;
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
