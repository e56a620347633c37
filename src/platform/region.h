// Window outlines: a region made from the platform's region-data block
// (RGNDATA), handed to a window, and read back as a block.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/host.h"

namespace platform {

using RegionHandle = std::uintptr_t;

class Regions {
public:
    virtual ~Regions() = default;
    // ExtCreateRegion without a transformation; 0 when the block is invalid.
    virtual RegionHandle create(const std::uint8_t* data, std::uint32_t size) = 0;
    // SetWindowRgn with redraw: from then on the window system owns the
    // region. A window drawn at a larger scale than its layout gets a copy
    // at that scale instead, and the region itself is released.
    virtual bool apply(fw::WindowHandle window, RegionHandle region) = 0;
    // GetRegionData: the block, or nothing.
    virtual std::vector<std::uint8_t> data(RegionHandle region) = 0;
    virtual void destroy(RegionHandle region) = 0;
};

}  // namespace platform
