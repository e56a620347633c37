// The player seam on Win32: the player's window found by class, reached
// with synchronous messages.
#pragma once

#include <windows.h>

#include "platform/player_window.h"

namespace win32 {

class Win32PlayerWindows : public platform::PlayerWindows {
public:
    fw::WindowHandle findByClass(const std::string& windowClass) override;
    std::optional<std::int32_t> ping(fw::WindowHandle window) override;
    std::optional<std::int32_t> command(fw::WindowHandle window, std::int32_t commandId) override;
    std::optional<std::int32_t> request(fw::WindowHandle window, std::int32_t code,
                                        std::int32_t argument) override;

private:
    std::optional<std::int32_t> send(fw::WindowHandle window, UINT message, std::int32_t wParam,
                                     std::int32_t lParam);
};

}  // namespace win32
