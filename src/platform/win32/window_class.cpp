#include "platform/win32/window_class.h"

namespace win32 {

std::string failure(const std::string& what) {
    return what + " failed (error " + std::to_string(GetLastError()) + ")";
}

void registerClass(const WNDCLASSEXA& windowClass) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(windowClass.hInstance, windowClass.lpszClassName, &existing)) return;
    if (!RegisterClassExA(&windowClass))
        throw Win32Error(failure(std::string("Registering the window class ") + windowClass.lpszClassName));
}

HWND createWindow(const WindowSpec& s) {
    HWND hwnd = CreateWindowExA(s.exStyle, s.className, s.title, s.style, s.x, s.y, s.width, s.height,
                                s.parent, nullptr, s.instance, s.object);
    if (!hwnd) throw Win32Error(failure(std::string("Creating a window of class ") + s.className));
    return hwnd;
}

}  // namespace win32
