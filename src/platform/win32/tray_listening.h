// TrayListening: a form window subclassed for the tray icon manager. It
// turns the window's activation, minimise commands, the icon's mouse
// messages and the tip refresh into calls on the listener, and passes
// everything else on to the window's previous procedure.
#pragma once

#include <windows.h>

#include "platform/tray.h"

namespace win32 {

class Win32Host;

class TrayListening : public platform::TrayListening {
public:
    TrayListening(Win32Host& host, HWND hwnd, platform::TrayListener& listener);
    ~TrayListening() override;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam);

    Win32Host& host_;
    HWND hwnd_;
    platform::TrayListener& listener_;  // not owned
    WNDPROC previous_ = nullptr;
};

}  // namespace win32
