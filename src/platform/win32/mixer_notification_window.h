// MixerNotificationWindow: the hidden window a mixer device reports its
// line and control changes to (MM_MIXM_LINE_CHANGE, MM_MIXM_CONTROL_CHANGE).
#pragma once

#include <windows.h>

#include "platform/mixer.h"

namespace win32 {

class Win32Host;

class MixerNotificationWindow : public platform::MixerNotifications {
public:
    MixerNotificationWindow(Win32Host& host, platform::MixerChangeHandler handler);
    ~MixerNotificationWindow() override;
    fw::WindowHandle window() const override { return reinterpret_cast<fw::WindowHandle>(hwnd_); }

    LRESULT windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    Win32Host& host_;
    platform::MixerChangeHandler handler_;
    HWND hwnd_ = nullptr;
};

}  // namespace win32
