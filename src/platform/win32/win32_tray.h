// The tray icon manager's desktop services on Win32.
#pragma once

#include "platform/tray.h"

namespace win32 {

class Win32Host;

class Win32Tray : public platform::TraySystem {
public:
    explicit Win32Tray(Win32Host& host) : host_(host) {}

    bool notifyIcon(platform::NotifyIconOperation operation, const platform::NotifyIconData& data) override;
    std::unique_ptr<platform::WindowSubclass> subclass(fw::WindowHandle window,
                                                       platform::SubclassHandler handler) override;
    fw::WindowHandle findWindow(const std::string& caption) override;
    void showWindow(fw::WindowHandle window, platform::ShowCommand command) override;
    void setActiveWindow(fw::WindowHandle window) override;
    bool isMinimized(fw::WindowHandle window) override;
    fw::Point cursorPos() override;
    void postMessage(fw::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    platform::ServiceRegistration registerServiceProcess(bool hidden) override;
    platform::IconHandle loadIcon(const std::string& resourceName) override;

private:
    Win32Host& host_;
};

}  // namespace win32
