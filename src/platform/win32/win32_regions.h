// Window outlines on Win32: ExtCreateRegion, SetWindowRgn, GetRegionData.
#pragma once

#include "platform/region.h"

namespace win32 {

class Win32Regions : public platform::Regions {
public:
    platform::RegionHandle create(const std::uint8_t* data, std::uint32_t size) override;
    bool apply(fw::WindowHandle window, platform::RegionHandle region) override;
    std::vector<std::uint8_t> data(platform::RegionHandle region) override;
    void destroy(platform::RegionHandle region) override;
};

}  // namespace win32
