// Reaching another program's window by its class and talking to it with
// synchronous messages: what the player client needs.
#pragma once

#include <cstdint>
#include <string>

#include "framework/host.h"

namespace platform {

class PlayerWindows {
public:
    virtual ~PlayerWindows() = default;
    // The first top-level window of that class (no title given); 0 for none.
    virtual fw::WindowHandle findByClass(const std::string& windowClass) = 0;
    // SendMessageA: returns once the window has handled it, with its
    // 32-bit reply (0 when the window has gone meanwhile).
    virtual std::int32_t send(fw::WindowHandle window, unsigned message, std::int32_t wParam, std::int32_t lParam) = 0;
};

}  // namespace platform
