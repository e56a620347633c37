#include "platform/win32/win32_tray.h"

#include <shellapi.h>

#include "platform/win32/form_window.h"
#include "platform/win32/form_window.h"
#include "platform/win32/tray_listening.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/window_class.h"

namespace win32 {

bool Win32Tray::notifyIcon(platform::TrayIconOperation operation, const platform::TrayIconSpec& icon) {
    NOTIFYICONDATAA nid{};
    // The record of the first shell version, which every shell takes.
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = hwndOf(icon.window);
    nid.uID = 0;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = iconMessage;
    nid.hIcon = reinterpret_cast<HICON>(icon.icon);
    copyText(nid.szTip, icon.tip);
    DWORD message = NIM_ADD;
    if (operation == platform::TrayIconOperation::modify) message = NIM_MODIFY;
    if (operation == platform::TrayIconOperation::remove) message = NIM_DELETE;
    return Shell_NotifyIconA(message, &nid) != FALSE;
}

std::unique_ptr<platform::TrayListening> Win32Tray::listen(fw::WindowHandle window,
                                                           platform::TrayListener& listener) {
    FormWindow* form = FormWindow::fromHandle(hwndOf(window));
    if (!form) throw Win32Error("The notification-area icon can only report to a window of this program");
    return std::make_unique<TrayListening>(host_, *form, listener);
}

void Win32Tray::postTipRefresh(fw::WindowHandle window) {
    PostMessageA(hwndOf(window), tipRefreshMessage, 0, 0);
}

fw::WindowHandle Win32Tray::findWindow(const std::string& caption) {
    return handleOf(FindWindowA(nullptr, caption.c_str()));
}

void Win32Tray::showWindow(fw::WindowHandle window, platform::ShowCommand command) {
    ShowWindow(hwndOf(window), command == platform::ShowCommand::show ? SW_SHOW : SW_HIDE);
}

void Win32Tray::setActiveWindow(fw::WindowHandle window) {
    SetForegroundWindow(hwndOf(window));
    SetActiveWindow(hwndOf(window));
}

bool Win32Tray::isMinimized(fw::WindowHandle window) {
    return IsIconic(hwndOf(window)) != FALSE;
}

fw::Point Win32Tray::cursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

platform::ServiceRegistration Win32Tray::registerServiceProcess(bool hidden) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return platform::ServiceRegistration::noModule;
    using Register = DWORD(WINAPI*)(DWORD, DWORD);
    auto proc =
        reinterpret_cast<Register>(reinterpret_cast<void*>(GetProcAddress(kernel, "RegisterServiceProcess")));
    if (!proc) return platform::ServiceRegistration::noExport;
    proc(GetCurrentProcessId(), hidden ? 1 : 0);
    return platform::ServiceRegistration::called;
}

platform::IconHandle Win32Tray::loadIcon(const std::string& resourceName) {
    return reinterpret_cast<platform::IconHandle>(
        LoadImageA(host_.instance(), resourceName.c_str(), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
}

}  // namespace win32
