// The window plumbing every window of ours shares: a class registered once
// per process, windows created with a check, and a window procedure that
// hands each message to the object the window serves. The object comes
// with the creation parameter at WM_NCCREATE, is kept in the window's user
// data, and answers `LRESULT windowMessage(HWND, UINT, WPARAM, LPARAM)`;
// after WM_NCDESTROY nothing reaches it any more.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "framework/host.h"

namespace win32 {

// The window system refused a class, a window or a timer.
class Win32Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "<what> failed (error N)", from the calling thread's last error.
std::string failure(const std::string& what);

inline HWND hwndOf(fw::WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
inline fw::WindowHandle handleOf(HWND hwnd) {
    return reinterpret_cast<fw::WindowHandle>(hwnd);
}

// Registers the class unless it already is; raises Win32Error when the
// system refuses it.
void registerClass(const WNDCLASSEXA& windowClass);

struct WindowSpec {
    DWORD exStyle = 0;
    const char* className = "";
    const char* title = "";
    DWORD style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    HMENU menu = nullptr;  // a child's identifier
    HINSTANCE instance = nullptr;
    void* object = nullptr;  // the creation parameter: what the window serves
};

// Raises Win32Error naming the class when the window cannot be made.
HWND createWindow(const WindowSpec& spec);

template <class T>
LRESULT CALLBACK objectProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return self->windowMessage(hwnd, msg, wParam, lParam);
}

// A class whose windows serve objects of type T.
template <class T>
WNDCLASSEXA objectClass(HINSTANCE instance, const char* name) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &objectProcedure<T>;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    return wc;
}

// Copies text into a fixed field of a system record, cut to fit and
// zero-terminated.
template <std::size_t N>
void copyText(char (&field)[N], const std::string& text) {
    const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
    text.copy(field, n);
    field[n] = '\0';
}

// The text of a fixed field, up to its terminating zero or its end.
template <std::size_t N>
std::string fieldText(const char (&field)[N]) {
    std::size_t n = 0;
    while (n < N && field[n] != '\0') ++n;
    return std::string(field, n);
}

}  // namespace win32
