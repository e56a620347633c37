#include "platform/win32/win32_player_windows.h"

#include "platform/win32/window_class.h"

namespace win32 {

fw::WindowHandle Win32PlayerWindows::findByClass(const std::string& windowClass) {
    return handleOf(FindWindowA(windowClass.c_str(), nullptr));
}

std::optional<std::int32_t> Win32PlayerWindows::send(fw::WindowHandle window, UINT message,
                                                     std::int32_t wParam, std::int32_t lParam) {
    // The player's numbers are 32-bit: wParam travels as its bit pattern.
    // SMTO_BLOCK: nothing else of ours runs while we wait; SMTO_ABORTIFHUNG:
    // a player the system already knows to be hung is not waited for.
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutA(hwndOf(window), message, static_cast<WPARAM>(static_cast<DWORD>(wParam)),
                             static_cast<LPARAM>(lParam), SMTO_BLOCK | SMTO_ABORTIFHUNG, answerLimitMs_, &reply))
        return std::nullopt;
    return static_cast<std::int32_t>(reply);
}

// WM_NULL asks nothing: it only goes through the window's message handling.
std::optional<std::int32_t> Win32PlayerWindows::ping(fw::WindowHandle window) {
    return send(window, WM_NULL, 0, 0);
}

// Commands come as menu commands: the id in wParam.
std::optional<std::int32_t> Win32PlayerWindows::command(fw::WindowHandle window, std::int32_t commandId) {
    return send(window, WM_COMMAND, commandId, 0);
}

// Requests come as WM_USER: the code in lParam, its argument in wParam.
std::optional<std::int32_t> Win32PlayerWindows::request(fw::WindowHandle window, std::int32_t code,
                                                        std::int32_t argument) {
    return send(window, WM_USER, argument, code);
}

}  // namespace win32
