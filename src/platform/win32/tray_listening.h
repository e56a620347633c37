// TrayListening: a form window heard for the tray icon manager. It turns
// the window's activation, minimise commands, the icon's mouse messages and
// the tip refresh into calls on the listener, and lets everything else
// through to the window's own handling.
#pragma once

#include <windows.h>

#include "framework/listeners.h"
#include "platform/tray.h"

namespace win32 {

class Win32Host;
class FormWindow;

class TrayListening : public platform::TrayListening {
public:
    // `window` must be one of our form windows.
    TrayListening(Win32Host& host, FormWindow& window, platform::TrayListener& listener);
    ~TrayListening() override;

private:
    bool message(UINT& msg, WPARAM& wParam, LPARAM& lParam);

    Win32Host& host_;
    FormWindow& window_;
    platform::TrayListener& listener_;  // not owned
    // The shell's broadcast when the taskbar is made anew.
    const UINT taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    fw::Subscription filter_;
};

}  // namespace win32
