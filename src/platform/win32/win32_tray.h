// The tray icon manager's desktop services on Win32: Shell_NotifyIcon with
// the 88-byte record every shell takes, the form window's messages heard
// through its message filter (TrayListening), and the window calls it
// needs.
#pragma once

#include <windows.h>

#include "platform/tray.h"

namespace win32 {

class Win32Host;

class Win32Tray : public platform::TraySystem {
public:
    // Where the icon's mouse messages arrive (lParam: the mouse message),
    // and the private message that asks for the tip to be applied again.
    static constexpr UINT iconMessage = WM_USER + 59;
    static constexpr UINT tipRefreshMessage = WM_USER + 61;

    explicit Win32Tray(Win32Host& host) : host_(host) {}

    bool notifyIcon(platform::TrayIconOperation operation, const platform::TrayIconSpec& icon) override;
    std::unique_ptr<platform::TrayListening> listen(fw::WindowHandle window,
                                                    platform::TrayListener& listener) override;
    void postTipRefresh(fw::WindowHandle window) override;
    fw::WindowHandle findWindow(const std::string& caption) override;
    void showWindow(fw::WindowHandle window, platform::ShowCommand command) override;
    void setActiveWindow(fw::WindowHandle window) override;
    bool isMinimized(fw::WindowHandle window) override;
    fw::Point cursorPos() override;
    platform::ServiceRegistration registerServiceProcess(bool hidden) override;
    platform::IconHandle loadIcon(const std::string& resourceName) override;

private:
    Win32Host& host_;
};

}  // namespace win32
