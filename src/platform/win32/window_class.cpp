#include "platform/win32/window_class.h"

#include "platform/win32/wide_text.h"

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
    // Made through the wide call: the system's controls are then windows
    // of UTF-16, whatever the system's code page, and every call that gives
    // them text (their captions, list items, tips) is a wide one. Our own
    // classes are registered narrow and stay so: their captions are ours.
    HWND hwnd = CreateWindowExW(s.exStyle, widen(s.className).c_str(), widen(s.title).c_str(), s.style, s.x, s.y,
                                s.width, s.height, s.parent, s.menu, s.instance, s.object);
    if (!hwnd) throw Win32Error(failure(std::string("Creating a window of class ") + s.className));
    return hwnd;
}

}  // namespace win32
