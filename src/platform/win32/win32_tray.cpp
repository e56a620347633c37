#include "platform/win32/win32_tray.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "platform/win32/win32_host.h"

namespace win32 {
namespace {

constexpr char subclassProperty[] = "ZavAmpSubclass";

HWND hwndOf(fw::WindowHandle w) { return reinterpret_cast<HWND>(w); }

class Win32Subclass : public platform::WindowSubclass {
public:
    Win32Subclass(Win32Host& host, HWND hwnd, platform::SubclassHandler handler)
        : host_(host), hwnd_(hwnd), handler_(std::move(handler)) {
        SetPropA(hwnd_, subclassProperty, this);
        old_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Subclass::procedure)));
    }
    ~Win32Subclass() override {
        if (!IsWindow(hwnd_)) return;
        // Put the old procedure back only if nobody took over after us.
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)) == &Win32Subclass::procedure)
            SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        RemovePropA(hwnd_, subclassProperty);
    }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<Win32Subclass*>(GetPropA(hwnd, subclassProperty));
        if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
        fw::Message m{reinterpret_cast<fw::WindowHandle>(hwnd), msg, static_cast<std::uintptr_t>(wParam),
                      static_cast<std::intptr_t>(lParam)};
        bool consumed = false;
        self->host_.guarded([&] { consumed = self->handler_(m); });
        if (consumed) return 0;
        return CallWindowProcA(self->old_, hwnd, m.msg, static_cast<WPARAM>(m.wParam), static_cast<LPARAM>(m.lParam));
    }

    Win32Host& host_;
    HWND hwnd_;
    platform::SubclassHandler handler_;
    WNDPROC old_ = nullptr;
};

}  // namespace

bool Win32Tray::notifyIcon(platform::NotifyIconOperation operation, const platform::NotifyIconData& data) {
    NOTIFYICONDATAA nid{};
    // The 88-byte record of the first shell version, which every shell takes.
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = hwndOf(data.window);
    nid.uID = data.id;
    nid.uFlags = data.flags;
    nid.uCallbackMessage = data.callbackMessage;
    nid.hIcon = reinterpret_cast<HICON>(data.icon);
    std::strncpy(nid.szTip, data.tip.c_str(), 63);
    return Shell_NotifyIconA(static_cast<DWORD>(operation), &nid) != FALSE;
}

std::unique_ptr<platform::WindowSubclass> Win32Tray::subclass(fw::WindowHandle window,
                                                               platform::SubclassHandler handler) {
    return std::make_unique<Win32Subclass>(host_, hwndOf(window), std::move(handler));
}

fw::WindowHandle Win32Tray::findWindow(const std::string& caption) {
    return reinterpret_cast<fw::WindowHandle>(FindWindowA(nullptr, caption.c_str()));
}

void Win32Tray::showWindow(fw::WindowHandle window, platform::ShowCommand command) {
    ShowWindow(hwndOf(window), static_cast<int>(command));
}

void Win32Tray::setActiveWindow(fw::WindowHandle window) {
    SetForegroundWindow(hwndOf(window));
    SetActiveWindow(hwndOf(window));
}

bool Win32Tray::isMinimized(fw::WindowHandle window) { return IsIconic(hwndOf(window)) != FALSE; }

fw::Point Win32Tray::cursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void Win32Tray::postMessage(fw::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    PostMessageA(hwndOf(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

platform::ServiceRegistration Win32Tray::registerServiceProcess(bool hidden) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return platform::ServiceRegistration::noModule;
    using Register = DWORD(WINAPI*)(DWORD, DWORD);
    auto proc = reinterpret_cast<Register>(reinterpret_cast<void*>(GetProcAddress(kernel, "RegisterServiceProcess")));
    if (!proc) return platform::ServiceRegistration::noExport;
    proc(GetCurrentProcessId(), hidden ? 1 : 0);
    return platform::ServiceRegistration::called;
}

platform::IconHandle Win32Tray::loadIcon(const std::string& resourceName) {
    return reinterpret_cast<platform::IconHandle>(
        LoadImageA(host_.instance(), resourceName.c_str(), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
}

}  // namespace win32
